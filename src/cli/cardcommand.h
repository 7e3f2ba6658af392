// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

inline constexpr char16_t kCardUsage[] =
    u"lumivox-cli card write IMAGE CARD [--append] [--tsv] [--force] [--language NAME]\n"
    u"                                           new card (clear, then copy) or append (add missing and\n"
    u"                                           changed files); --append --tsv: kind  number  title  change\n"
    u"  lumivox-cli card write IMAGE CARD [--append] --dry-run [--tsv] [--all] [--force]\n"
    u"                                           what the write would do, nothing changed; --tsv: change\n"
    u"                                           kind  number  title  bytes  path; exit 0 nothing, 1 changes\n"
    u"  lumivox-cli card verify IMAGE CARD [--exact] [--tsv]\n"
    u"                                           read the card back and compare it with IMAGE; --exact:\n"
    u"                                           files not from IMAGE count too; exit 0 equal, 1 mismatch\n"
    u"  lumivox-cli card restore CARD LIBRARY [--force] [--language NAME]\n"
    u"                                           read a card back into the library at LIBRARY: the\n"
    u"                                           card's files replace those of the same name, the rest stays\n"
    u"  lumivox-cli card restore CARD IMAGE --image [--force] [--language NAME]\n"
    u"                                           read a card back into a card image, as the program does:\n"
    u"                                           IMAGE is emptied first and then holds the card alone";

// Exit 0 when done, 1 when some files could not be copied (listed on standard error), 2 when
// refused (another writer at work, too little space, ...), on a failed sync or on bad
// arguments; a refusal changes nothing.
int runCardCommand(const QStringList &args, CliIo &io);
