// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/carddatafile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The backup a card write saves of what the card held before it clears it.

// What a backup of a card will hold, and what it cannot.
struct CardBackupPlan
{
    // Files lying in the card's root first (as records before any directory record), then the
    // card's groups, "screen_dir" and "playlist_dir" as a library pack has them. A card without
    // subdirectories is backed up as its root files only, so that it unpacks flat and whole.
    CardPackList records;
    // Paths below the card that the backup leaves out: files of other kinds, deeper folders,
    // links, names no record may carry. Media litter (".Trash-1000", ...) is not listed.
    QStringList leftOut;
};
CardBackupPlan planCardBackup(const QString &card);

// A backup path that is not taken yet: backupDir/<label>-yyyyMMdd-HHmmss.lvp, the label made a
// plain name ("card" when nothing of it is left), "-2", "-3", ... appended on a clash.
QString cardBackupPath(const QString &backupDir, const QString &label, const QDateTime &when);
