// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardvolume.h"

#include <QStringList>
#include <QTextStream>

// Exit codes shared by every subcommand.
enum CliExit { CliOk = 0, CliFindings = 1, CliError = 2 };

// Standard output and error of the command line tool, UTF-8; and what a card command asks of
// a card's size (empty: the card's file system; tests answer a card of their own size).
struct CliIo
{
    QTextStream &out;
    QTextStream &err;
    CardVolumeProbe volumeProbe = {};
};

// One subcommand ("song", "scan", ...): its name, the usage line printed by --help and on bad
// arguments, and its entry point. Each lives in src/cli/<name>command.cpp and is listed in main.cpp.
struct CliCommand
{
    const char16_t *name;
    const char16_t *usage;
    int (*run)(const QStringList &args, CliIo &io);
};

// Prints "usage: ..." for a command to stderr and returns CliError.
int cliUsageError(CliIo &io, const CliCommand &command, const QString &problem = {});
