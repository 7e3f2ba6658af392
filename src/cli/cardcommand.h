// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

inline constexpr char16_t kCardUsage[] =
    u"lumivox-cli card write IMAGE CARD [--append] [--tsv] [--force] [--language NAME]\n"
    u"                                           new card (clear, then copy) or append (add missing and\n"
    u"                                           changed files); --append --tsv: kind  number  title  change\n"
    u"  lumivox-cli card restore CARD LIBRARY [--force] [--language NAME]\n"
    u"                                           read a card back into the library at LIBRARY";

// Exit 0 when done, 1 when some files could not be copied (listed on standard error), 2 when
// refused or on bad arguments; a refusal changes nothing.
int runCardCommand(const QStringList &args, CliIo &io);
