// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardpacklist.h"

class SongLibrary;

// The card data file records of a library, with the names its last scan listed. A slide or
// playlist list that the scan did not fill is taken from a listing of its directory.
CardPackList libraryPackList(const SongLibrary &library);

// The library at root, scanned for its groups only: names are listed, no file is read and
// nothing is created.
CardPackList libraryPackList(const QString &root);
