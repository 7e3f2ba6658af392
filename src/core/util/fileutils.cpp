// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/fileutils.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

QStringList sortedEntries(const QString &dir, QDir::Filters filters, const QStringList &nameFilters)
{
    QStringList names = QDir(dir).entryList(nameFilters, filters | QDir::NoDotAndDotDot | QDir::Hidden | QDir::CaseSensitive,
                                           QDir::NoSort);
    names.removeIf([](const QString &name) { return name.startsWith(u'.'); });
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return a.compare(b) < 0; });
    return names;
}

namespace {

bool deleteBelow(const QString &path, const FileProgress &progress)
{
    bool ok = true;
    // Dot names are deleted too: the tree is emptied completely.
    const QStringList names = QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                                   QDir::Name);
    for (const QString &name : names) {
        if (progress.stopRequested())
            return false;
        const QString child = path + u'/' + name;
        const QFileInfo info(child);
        if (info.isDir() && !info.isSymLink()) {
            ok = deleteBelow(child, progress) && ok;
            ok = QDir().rmdir(child) && ok;
        } else {
            progress.report(child);
            ok = QFile::remove(child) && ok;
        }
    }
    return ok;
}

} // namespace

bool deleteTree(const QString &path, const FileProgress &progress)
{
    const QFileInfo root(path);
    if (!root.isDir())
        return false;
    return deleteBelow(root.isSymLink() ? root.symLinkTarget() : path, progress);
}

bool copyFiles(const QString &source, const QString &target, const FileProgress &progress)
{
    bool ok = true;
    const QStringList names = sortedEntries(source, QDir::Files | QDir::NoSymLinks);
    for (const QString &name : names) {
        if (progress.stopRequested())
            return false;
        const QString from = source + u'/' + name;
        const QString to = target + u'/' + name;
        progress.report(from);
        if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
            continue;
        ok = QFile::copy(from, to) && ok;
    }
    return ok;
}

bool deleteFiles(const QString &directory, const QString &pattern, const FileProgress &progress)
{
    bool ok = true;
    const QStringList names = QDir(directory).entryList({pattern}, QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        if (progress.stopRequested())
            return false;
        const QString path = directory + u'/' + name;
        progress.report(path);
        ok = QFile::remove(path) && ok;
    }
    return ok;
}
