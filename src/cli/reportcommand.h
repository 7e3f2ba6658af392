// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

// lumivox-cli report songbook|index|alphabetical CARD OUT.rtf [--language NAME]: one of the RTF
// reports of a card, which it leaves unchanged; the title comes from the language.
// lumivox-cli report songbook-pdf CARD OUT.pdf [--paper A5|A4] [--columns 1|2] [--language NAME]:
// the printable songbook; "songs N, pages N" on stdout, what it left out on stderr.
int runReportCommand(const QStringList &args, CliIo &io);

inline constexpr CliCommand kReportCommand{
    u"report",
    u"lumivox-cli report songbook|index|alphabetical CARD OUT.rtf [--language NAME]\n"
    u"                                           write an RTF report of a card (songs left out on stderr)\n"
    u"  lumivox-cli report songbook-pdf CARD OUT.pdf [--paper A5|A4] [--columns 1|2] [--language NAME]\n"
    u"                                           write a printable PDF songbook with indexes",
    runReportCommand};
