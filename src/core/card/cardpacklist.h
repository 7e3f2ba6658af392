// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/carddatafile.h"

class SongLibrary;

// The records of a scanned library in library order: each group with its songs (".txt"),
// then "screen_dir" with the slides (".ekr") and "playlist_dir" with the playlists (".lst").
// Both list directories are always packed, as every card has them. A slide or playlist list
// that the scan did not fill is taken from a listing of its directory.
CardPackList cardPackList(const SongLibrary &library);

// The library at root, scanned for its groups only: names are listed, no file is read and
// nothing is created.
CardPackList cardPackList(const QString &root);
