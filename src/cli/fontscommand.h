// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

inline constexpr char16_t kFontsUsage[] =
    u"lumivox-cli fonts export FONTDIR OUTDIR [--mirrored] [--header] [--lowercase-names]";

// "fonts export": the board's font data files from a folder of .fnt files.
int runFontsCommand(const QStringList &args, CliIo &io);
