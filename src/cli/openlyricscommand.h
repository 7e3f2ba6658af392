// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

// lumivox-cli openlyrics export CARD OUTDIR [--group NAME] [--songbook NAME]: the card's songs
// (or one group's) as OpenLyrics files. lumivox-cli openlyrics import ...: lumivox-cli import.
int runOpenLyricsCommand(const QStringList &args, CliIo &io);

inline constexpr CliCommand kOpenLyricsCommand{
    u"openlyrics",
    u"lumivox-cli openlyrics export CARD OUTDIR [--group NAME] [--songbook NAME]\n"
    u"                                           write the card's songs as OpenLyrics 0.9 files\n"
    u"  lumivox-cli openlyrics import ...          the same as lumivox-cli import",
    runOpenLyricsCommand};
