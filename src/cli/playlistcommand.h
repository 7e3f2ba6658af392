// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

// lumivox-cli playlist show FILE --card CARD [--language NAME]: a playlist's entries as the
// card's library resolves them, one TSV line each.
int runPlaylistCommand(const QStringList &args, CliIo &io);

inline constexpr CliCommand kPlaylistCommand{
    u"playlist",
    u"lumivox-cli playlist show FILE --card CARD [--language NAME]\n"
    u"                                             TSV per entry: position type title stanza refrain\n"
    u"                                             option found number path",
    runPlaylistCommand};
