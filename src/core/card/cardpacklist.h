// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/carddatafile.h"
#include "core/library/songlibrary.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The names of a library to pack, without extension ("0007 Kyrie"), in library order, with
// their extensions as the files spell them.
struct CardPackNames
{
    QList<SongGroupFiles> groups;
    // A list that is not given is taken from a listing of its directory.
    std::optional<SongGroupFiles> slides;
    std::optional<SongGroupFiles> playlists;
    // What the library holds and no record carries, by the directory it lies in ("" for the root).
    QHash<QString, CardFindings> notHandled;
};

// The records of the library at root: each group with its songs (".txt"), then "screen_dir"
// with the slides (".ekr") and "playlist_dir" with the playlists (".lst"). Both list
// directories are always packed, as every card has them. Findings about the root come with a
// first entry without a name that holds no files.
CardPackList cardPackList(const QString &root, const CardPackNames &names);
