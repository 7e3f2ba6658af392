// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/librarysources.h"

#include "core/app/language.h"

#include <QDir>

namespace {

QString folderKey(const QString &path)
{
    QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (!clean.endsWith(u'/'))
        clean += u'/';
    return clean;
}

} // namespace

namespace LibrarySources {

bool nested(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString first = folderKey(a);
    const QString second = folderKey(b);
    return first.startsWith(second) || second.startsWith(first);
}

QList<LibrarySource> list(const QString &computerRoot, const QList<DriveEntry> &drives, const OpenProject &project)
{
    QList<LibrarySource> sources;
    sources.append({LibrarySource::Kind::Computer, QString(), folderKey(computerRoot), false, false});
    for (const DriveEntry &drive : DriveList::listed(drives)) {
        if (nested(drive.rootPath, computerRoot) || nested(drive.rootPath, project.rootPath))
            continue;
        sources.append({LibrarySource::Kind::Card, drive.label, drive.rootPath, drive.readOnly, false});
    }
    if (!project.rootPath.isEmpty())
        sources.append(
            {LibrarySource::Kind::Project, project.name, folderKey(project.rootPath), false, project.fromCard});
    return sources;
}

int indexOfRoot(const QList<LibrarySource> &sources, const QString &rootPath)
{
    if (rootPath.isEmpty())
        return -1;
    const QString key = folderKey(rootPath);
    for (int i = 0; i < sources.size(); ++i) {
        if (folderKey(sources[i].rootPath) == key)
            return i;
    }
    return -1;
}

QString itemText(const LibrarySource &source)
{
    switch (source.kind) {
    case LibrarySource::Kind::Computer:
        return Lang::text(Txt::ComputerLibrary);
    case LibrarySource::Kind::Project:
        return Lang::text(source.projectFromCard ? Txt::ProjectFromCardEntry : Txt::ProjectFileEntry).arg(source.name);
    case LibrarySource::Kind::Card:
        break;
    }
    DriveEntry drive;
    drive.label = source.name;
    drive.rootPath = source.rootPath;
    drive.readOnly = source.readOnly;
    return DriveList::itemText(drive, Lang::text(Txt::ProtectPrefix));
}

} // namespace LibrarySources
