// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

// lumivox-cli music info FILE... [--language NAME]: per file a TSV row of path, format,
// length in milliseconds, channels and sample rate, as the timing dialog reads them; a file
// that cannot be read gets its reason on stderr and exit 1.
int runMusicCommand(const QStringList &args, CliIo &io);

inline constexpr CliCommand kMusicCommand{
    u"music",
    u"lumivox-cli music info FILE... [--language NAME]\n"
    u"                                             format, length (ms), channels and rate of music files (TSV)",
    runMusicCommand};
