// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

// lumivox-cli fonts export: the board's font data files from a folder of .fnt files.
extern const CliCommand kFontsCommand;
