// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

inline constexpr char16_t kPackUsage[] =
    u"lumivox-cli pack CARD OUT.lvp [--language NAME]\n"
    u"                                           card data file of the library at CARD";
inline constexpr char16_t kUnpackUsage[] =
    u"lumivox-cli unpack IN.lvp DIR [--force] [--language NAME]\n"
    u"                                           unpack into DIR (created when missing; one that holds\n"
    u"                                           anything only with --force, which puts the files into the folders\n"
    u"                                           there and replaces files of the same name)";

// Exit 0 when every file went in (or out), 1 when some were left out and listed, 2 on an error.
int runPackCommand(const QStringList &args, CliIo &io);
int runUnpackCommand(const QStringList &args, CliIo &io);
