// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

// lumivox-cli search CARD QUERY [--tsv] [--language NAME]: the songs of a card whose lyrics or
// title hold the query, in rank order; the card is only read. Exit 0 hits, 1 none, 2 error.
int runSearchCommand(const QStringList &args, CliIo &io);

inline constexpr CliCommand kSearchCommand{
    u"search",
    u"lumivox-cli search CARD QUERY [--tsv] [--language NAME]\n"
    u"                                           find songs by a remembered line (exit 1 when none)",
    runSearchCommand};
