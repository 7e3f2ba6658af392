// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/driveprovider.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString withSlash(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

} // namespace

bool FolderCardProvider::addFolder(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir())
        return false;
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    if (!m_folders.contains(clean))
        m_folders.append(clean);
    return true;
}

QList<DriveEntry> FolderCardProvider::drives() const
{
    QList<DriveEntry> result;
    for (const QString &folder : m_folders) {
        const QFileInfo info(folder);
        if (!info.isDir())
            continue;
        DriveEntry entry;
        entry.label = info.fileName().isEmpty() ? folder : info.fileName();
        entry.rootPath = withSlash(folder);
        entry.readOnly = !info.isWritable();
        entry.fileSystem = QString::fromUtf16(kFileSystem);
        entry.device = folder;
        entry.folderCard = true;
        result.append(entry);
    }
    return result;
}

QList<DriveEntry> CombinedDriveProvider::drives() const
{
    QList<DriveEntry> result;
    for (const auto &provider : m_providers)
        result += provider->drives();
    return result;
}

namespace DriveList {

QString itemText(const DriveEntry &drive, const QString &protectPrefix)
{
    QString text;
    if (drive.readOnly)
        text = protectPrefix + u' ';
    return text + drive.label + u' ' + drive.rootPath;
}

QList<DriveEntry> listed(const QList<DriveEntry> &drives)
{
    QList<DriveEntry> result;
    for (const DriveEntry &drive : drives) {
        if (!drive.fileSystem.isEmpty())
            result.append(drive);
    }
    return result;
}

int indexOfRoot(const QList<DriveEntry> &drives, const QString &rootPath)
{
    if (rootPath.isEmpty())
        return -1;
    for (int i = 0; i < drives.size(); ++i) {
        if (drives.at(i).rootPath == rootPath)
            return i;
    }
    return -1;
}

} // namespace DriveList
