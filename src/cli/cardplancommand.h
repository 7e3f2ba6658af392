// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

#include <QString>

// "card write ... --dry-run" and "card verify": the plan of a write or append, and the check of
// a card against its image after one. Both read only; the arguments are checked by the caller.

struct CardPlanOptions
{
    bool append = false;
    bool tsv = false;
    bool all = false;   // dry run: also the files that stay the same
    bool force = false; // dry run: as the write's --force
    bool exact = false; // verify: files on the card that are not from the image count too
};

// Exit 0 when nothing would change, 1 with changes, 2 on a refusal, an unreadable file, a
// folder gone or too little space.
int runCardDryRun(const QString &image, const QString &card, const CardPlanOptions &options, CliIo &io);
// Exit 0 when the card holds the image, 1 on a mismatch, 2 on a refusal or an unreadable file.
int runCardVerify(const QString &image, const QString &card, const CardPlanOptions &options, CliIo &io);
