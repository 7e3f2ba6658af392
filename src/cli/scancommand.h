// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

// lumivox-cli scan CARD [--full] [--tsv] [--language NAME]: the library scan of a card, which
// it leaves unchanged, and the issues it found.
int runScanCommand(const QStringList &args, CliIo &io);

inline constexpr CliCommand kScanCommand{
    u"scan",
    u"lumivox-cli scan CARD [--full] [--tsv] [--language NAME]\n"
    u"                                             scan a card, changing nothing; its issues (exit 1 when any)",
    runScanCommand};
