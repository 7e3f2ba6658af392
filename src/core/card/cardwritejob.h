// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/carddatafile.h"
#include "core/card/cardjob.h"
#include "core/card/cardvolume.h"
#include "core/util/progress.h"

#include <QString>

#include <functional>

// Writing the card image onto a card: a new card (after a backup of what it held, then clear
// and copy) or an append (add missing and changed files).

struct CardWriteRequest
{
    QString image;
    QString card;
    bool append = false;
    bool force = false;                 // a write may clear a folder that is no card or holds more than one
    int categories = CardAllCategories; // what an append takes (CardCategory bits)
    QString backupPath;                 // a write saves a backup here first; empty: no backup
    CardPackList backup;                // its records (planCardBackup)
    CardVolumeProbe volumeProbe;        // answers the card's size; empty: its file system
};

enum class CardWriteStage { Backup, Clear, Copy, Sync };

// Checks, locks the card, makes sure a write fits and that its clear can remove everything,
// saves the backup, clears the card (write) or removes what killed writes left on it (append),
// copies the image and writes the card's buffers out (unless an append changed nothing).
// Nothing on the card is touched before every check has passed and the backup is saved.
// onStage is told when each stage starts.
CardJobResult writeCard(const CardWriteRequest &request, const Progress &progress = {},
                        const std::function<void(CardWriteStage)> &onStage = {});
