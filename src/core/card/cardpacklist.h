// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/carddatafile.h"

// The records of the library at root in library order: each group directory (every
// subdirectory but "screen_dir" and "playlist_dir", in listing order) with its ".txt" files,
// then "screen_dir" with its ".ekr" files and "playlist_dir" with its ".lst" files. The two
// list directories are packed even when they are missing, as an empty card has them.
CardPackList cardPackList(const QString &root);
