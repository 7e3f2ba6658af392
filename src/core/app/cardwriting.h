// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/carddatafile.h"
#include "core/card/cardcopy.h"
#include "core/card/cardwritecheck.h"
#include "core/util/progress.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Writing a card image onto a card (a new card, after a backup of what it held, or an append)
// and reading a card back into the image: the work behind the card wizard, callable without it.

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

struct CardWriteRequest
{
    QString image;
    QString card;
    bool append = false;
    bool force = false;                   // a write may clear a folder that does not look like a card
    int categories = CardAllCategories;   // what an append takes (CardCategory bits)
    QString backupPath;                   // a write saves a backup here first; empty: no backup
    CardPackList backup;                  // its records (planCardBackup)
};

enum class CardWriteStage { Backup, Clear, Copy, Sync };

struct CardWriteResult
{
    enum class Status {
        Finished,     // copied and synced as far as failures and syncError say
        Refused,      // check says why; nothing was touched
        BackupFailed, // error says why; nothing was touched
        ClearFailed,  // error names what could not be deleted; nothing was copied
        Stopped,      // the stop flag ended it
    };
    Status status = Status::Finished;
    CardWriteCheck check = CardWriteCheck::Ok;
    QString backupPath; // the backup that was saved; empty without one
    QString error;
    CardFindings failures; // files not copied (a full disk counts them in its finding)
    QString syncError;     // the card's buffers could not be written out
    QList<CardChangeRecord> changes;

    bool ok() const { return status == Status::Finished && failures.isEmpty() && syncError.isEmpty(); }
};

// Checks, saves the backup, clears the card (write only), copies the image and writes the
// card's buffers out. Nothing is cleared before the check has passed and the backup is saved.
// onStage is told when each stage starts.
CardWriteResult writeCard(const CardWriteRequest &request, const Progress &progress = {},
                          const std::function<void(CardWriteStage)> &onStage = {});

struct CardRestoreResult
{
    enum class Status { Finished, Refused, ClearFailed, Stopped };
    Status status = Status::Finished;
    CardWriteCheck check = CardWriteCheck::Ok;
    QString error;
    CardFindings failures;

    bool ok() const { return status == Status::Finished && failures.isEmpty(); }
};

// Replaces the card image with the card's contents: groups, "playlist_dir" and "screen_dir" as
// on the card; a flat card's songs go into "Nieokreslone". A stopped restore leaves the image
// empty rather than half filled.
CardRestoreResult restoreCardImage(const QString &card, const QString &image, const Progress &progress = {},
                                   bool force = false);
