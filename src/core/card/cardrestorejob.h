// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardjob.h"
#include "core/util/progress.h"

#include <QString>

// Reading a card back, in one of two meanings.
enum class CardRestoreTarget {
    Library, // into a library: the card's files are copied over what the library holds, the rest stays
    Image,   // into the card image: the image is emptied first and holds the card alone afterwards
};

// Groups, "playlist_dir" and "screen_dir" as on the card; a flat card's songs go into
// "Nieokreslone". Checks, locks the target folder and (Image) makes sure its clear can remove
// everything before anything is touched; a stopped restore into the image leaves it empty
// rather than half filled. force reads a folder that does not look like a card.
CardJobResult restoreCard(const QString &card, const QString &target, CardRestoreTarget kind,
                          const Progress &progress = {}, bool force = false);
