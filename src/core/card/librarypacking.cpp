// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/librarypacking.h"

#include "core/library/songlibrary.h"

namespace {

std::optional<QStringList> listedNames(const QList<SongGroupFiles> &lists)
{
    if (lists.isEmpty())
        return std::nullopt;
    return lists.first().files;
}

} // namespace

CardPackList libraryPackList(const SongLibrary &library)
{
    CardPackNames names;
    names.groups.reserve(library.groups().size());
    for (const SongGroupFiles &group : library.groups())
        names.groups.append({group.name, group.files});
    names.slides = listedNames(library.slideLists());
    names.playlists = listedNames(library.playlistLists());
    return cardPackList(library.root(), names);
}

CardPackList libraryPackList(const QString &root)
{
    SongLibrary library;
    library.setRoot(root);
    library.scanLibrary(ScanFlags::Songs, {}, ScanOptions::readOnly());
    return libraryPackList(library);
}
