// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

inline constexpr char16_t kSongUsage[] =
    u"lumivox-cli song rewrite IN OUT            read a song or slide, write OUT in canonical form\n"
    u"  lumivox-cli song check FILE...             TSV per issue: path number code fileType name\n"
    u"  lumivox-cli song show FILE                 the screens as the board shows them";

// "song rewrite|check|show": reads with the tab rewrite off, so IN is never changed.
int runSongCommand(const QStringList &args, CliIo &io);
