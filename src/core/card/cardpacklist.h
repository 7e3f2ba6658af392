// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/carddatafile.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The names of a library to pack, without extension ("0007 Kyrie"), in library order.
struct CardPackNames
{
    struct Group
    {
        QString name;
        QStringList songs;
    };
    QList<Group> groups;
    // A list that is not given is taken from a listing of its directory.
    std::optional<QStringList> slides;
    std::optional<QStringList> playlists;
};

// The records of the library at root: each group with its songs (".txt"), then "screen_dir"
// with the slides (".ekr") and "playlist_dir" with the playlists (".lst"). Both list
// directories are always packed, as every card has them.
CardPackList cardPackList(const QString &root, const CardPackNames &names);
