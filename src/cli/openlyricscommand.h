// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

// lumivox-cli openlyrics export CARD OUTDIR [--group NAME] [--songbook NAME]: the card's songs
// (or one group's) as OpenLyrics files. lumivox-cli openlyrics import FILE... --card CARD
// --group NAME [--songbook NAME] [--board 20x10|16x6] [--tsv]: OpenLyrics and plain text files
// into a group of the card; exit 1 when a file was refused.
int runOpenLyricsCommand(const QStringList &args, CliIo &io);

inline constexpr CliCommand kOpenLyricsCommand{
    u"openlyrics",
    u"lumivox-cli openlyrics export CARD OUTDIR [--group NAME] [--songbook NAME]\n"
    u"                                           write the card's songs as OpenLyrics 0.9 files\n"
    u"  lumivox-cli openlyrics import FILE... --card CARD --group NAME [--songbook NAME] [--board 20x10|16x6] [--tsv]\n"
    u"                                           import OpenLyrics (.xml) and plain text (.txt) songs; notes and\n"
    u"                                           refusals as tokens for scripts (chars-replaced=2, doctype)",
    runOpenLyricsCommand};
