// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardcopy.h"
#include "core/card/cardfinding.h"
#include "core/card/cardwritecheck.h"

#include <QList>
#include <QString>
#include <QStringList>

class FolderLock;

// The card jobs: one implementation of each card operation for the program and lumivox-cli.
// A job takes its inputs and a Progress, runs the checks, the plan, the work and the sync, and
// answers with one result; the caller only shows it. A job that writes a folder holds that
// folder's FolderLock for its whole run; the readers (plan, verify, pack) take none.

struct CardJobResult
{
    enum class Status {
        Finished,     // done as far as failures and syncError say
        Refused,      // check says why (entries: what a card never holds); nothing was touched
        Busy,         // another process writes the folder (holder names it when known); nothing was touched
        NoSpace,      // the write does not fit (shortfall bytes); nothing was touched
        NotClearable, // error cannot be removed, for reason; nothing was touched
        BackupFailed, // error says why; nothing was touched
        ClearFailed,  // error names what could not be deleted; nothing was copied
        Stopped,      // the stop flag ended it
    };
    Status status = Status::Finished;
    QString folder; // the folder the job writes
    CardWriteCheck check = CardWriteCheck::Ok;
    QStringList entries;
    QString holder;
    qint64 shortfall = 0;
    QString error;
    QString reason;
    QString backupPath;    // the backup that was saved; empty without one
    CardFindings failures; // files not copied (a full disk counts them in its finding)
    int notCopied = 0;
    bool diskFull = false;
    QList<CardChangeRecord> changes; // an append's new and replaced files
    QStringList leftoversRemoved;    // temporary files of dead writers, below the folder written
    QString syncError;               // the folder's buffers could not be written out

    bool ok() const { return status == Status::Finished && failures.isEmpty() && syncError.isEmpty(); }
    // Nothing was touched: a refusal of one kind or another.
    bool refused() const
    {
        return status == Status::Refused || status == Status::Busy || status == Status::NoSpace
            || status == Status::NotClearable || status == Status::BackupFailed;
    }
};

namespace CardJob {

// Fills result with Busy (naming the holder when known) when lock is held elsewhere or the
// folder cannot be opened; true when the job may go on.
bool locked(const FolderLock &lock, CardJobResult &result);
// Fills result with NotClearable when the clear of folder could not remove all it holds; true
// when it can.
bool clearable(const QString &folder, CardJobResult &result);
// The copier's outcome into result.
void takeCopy(const CardCopier &copier, CardJobResult &result);
// Removes the leftover temporary files in folder and in each of its subfolders (the folders a
// card copy visits) into result.
void removeLeftovers(const QString &folder, CardJobResult &result);

} // namespace CardJob
