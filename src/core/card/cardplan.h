// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardcopy.h"
#include "core/card/cardfinding.h"
#include "core/card/cardvolume.h"
#include "core/util/progress.h"

#include <QList>
#include <QString>

#include <functional>

// What a card write or append would do, file by file, before it runs; and, after it ran,
// whether the card holds the image (the same plan with the card's pages read back from the
// device). Nothing is created, written or deleted on either side.

enum class CardPlanChange { New, Replace, Same, Extra, Unreadable };

struct CardPlanRow
{
    enum Kind { Song = 0, Playlist = 1, Slide = 2, Other = 3 };

    CardPlanChange change = CardPlanChange::New;
    int kind = Song;
    int number = 0;
    QString title;
    qint64 bytes = 0; // of the image's file; of the card's file for an extra
    QString path;     // below the card root, "/"-separated

    friend bool operator==(const CardPlanRow &, const CardPlanRow &) = default;
};

struct CardPlanSummary
{
    int counts[5] = {};         // by CardPlanChange
    qint64 bytesToWrite = 0;    // append: new and replaced files; write: the whole image
    qint64 spaceNeeded = 0;     // in whole clusters, with a cluster per new directory
    qint64 spaceAvailable = -1; // free space, for a write plus what its clear frees; -1 unknown
    qint64 cluster = 0;
    bool clusterAssumed = false; // the card reported no block size: 4096 taken

    int count(CardPlanChange change) const { return counts[int(change)]; }
    bool spaceKnown() const { return spaceAvailable >= 0; }
    // Unknown free space is no shortfall: a card that cannot say is not refused for it.
    qint64 shortfall() const { return spaceKnown() && spaceNeeded > spaceAvailable ? spaceNeeded - spaceAvailable : 0; }
};

enum class CardPlanMode {
    Write,  // clear, then copy: extras are deleted
    Append, // add missing and changed files: extras stay
    Verify, // read back after a copy: each card file is synced and its cached pages dropped first
};

struct CardPlan
{
    // The image's files in the order of the copy, then the card's extras by path.
    QList<CardPlanRow> rows;
    // Temporary files of an earlier write whose process no longer runs, below the card root:
    // not extras, as the next write or append removes them.
    QStringList leftovers;
    CardPlanSummary summary;
    CardPlanMode mode = CardPlanMode::Append;
    CardFinding error; // a folder that went away while it was read (textId 0: none)
    // Files neither side of the plan can name or the copy leaves out: names that are not UTF-8
    // (on the card shown with the card's path), library files outside every group. A card
    // holding any is never the image's equal.
    CardFindings notHandled;
    bool stopped = false;

    // A row the copy would change; an append keeps the extras, so they are none.
    bool hasChanges() const;
    // A failure: a folder went away, a row is unreadable or the card is short of space.
    bool failed() const;
};

// The plan of copying image onto card. categories limits an append as CardCopier does;
// volumeProbe, when set, answers the card's size instead of its file system.
CardPlan planCardCopy(const QString &image, const QString &card, CardPlanMode mode, int categories = CardAllCategories,
                      const Progress &progress = {}, const CardVolumeProbe &volumeProbe = {});
// The plan of a write without reading the files' contents: the same space figures, but a file
// the write puts down again unchanged counts as replaced, not as the same.
CardPlan planCardWriteSpace(const QString &image, const QString &card, const Progress &progress = {},
                            const CardVolumeProbe &volumeProbe = {});
