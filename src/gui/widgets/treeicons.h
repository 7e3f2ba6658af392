// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The 16-pixel images of the library tree, drawn once: the indices of the tree's image strip
// (1 song, 3 playlist, 5 card, 6 slides, 7 slide, 9 group, 10 playlists) and of the status
// bar's (8 card chosen, 9 no card) share one set.
namespace TreeIcons {
enum Image : int {
    Song = 1,
    Playlist = 3,
    Card = 5,
    SlidesNode = 6,
    Slide = 7,
    Group = 9,
    PlaylistsNode = 10,
};
QIcon icon(int image);
QIcon statusIcon(bool cardChosen);
} // namespace TreeIcons
