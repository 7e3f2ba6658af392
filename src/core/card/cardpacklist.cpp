// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardpacklist.h"

#include "core/app/fileutils.h"

namespace {

QStringList filesWithSuffix(const QString &dir, const QString &pattern)
{
    return sortedEntries(dir, QDir::Files | QDir::NoSymLinks | QDir::CaseSensitive, {pattern});
}

} // namespace

CardPackList cardPackList(const QString &root)
{
    const QString screenDir = QStringLiteral("screen_dir");
    const QString playlistDir = QStringLiteral("playlist_dir");
    CardPackList list;
    for (const QString &group : sortedEntries(root, QDir::Dirs | QDir::NoSymLinks)) {
        if (group == screenDir || group == playlistDir)
            continue;
        const QString path = root + u'/' + group;
        list.append({group, path, filesWithSuffix(path, QStringLiteral("*.txt"))});
    }
    list.append({screenDir, root + u'/' + screenDir, filesWithSuffix(root + u'/' + screenDir, QStringLiteral("*.ekr"))});
    list.append({playlistDir, root + u'/' + playlistDir,
                 filesWithSuffix(root + u'/' + playlistDir, QStringLiteral("*.lst"))});
    return list;
}
