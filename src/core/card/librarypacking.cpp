// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/librarypacking.h"

#include "core/card/cardnamefindings.h"
#include "core/library/songlibrary.h"

namespace {

std::optional<SongGroupFiles> listedNames(const QList<SongGroupFiles> &lists)
{
    if (lists.isEmpty())
        return std::nullopt;
    return lists.first();
}

} // namespace

CardPackList libraryPackList(const SongLibrary &library)
{
    CardPackNames names;
    names.groups = library.groups();
    names.notHandled = cardNameFindings(library.issues());
    names.slides = listedNames(library.slideLists());
    names.playlists = listedNames(library.playlistLists());
    return cardPackList(library.root(), names);
}

CardPackList libraryPackList(const QString &root)
{
    SongLibrary library;
    library.setRoot(root);
    library.scanLibrary(ScanFlag::Songs, {}, ScanOptions::readOnly());
    return libraryPackList(library);
}
