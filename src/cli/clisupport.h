// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

#include <QString>

// Helpers of the subcommands that read a card.

// "--language NAME" (default Polski): loads the language's texts from the shipped Language
// folder and sets the board charset it implies, as the program does at start-up.
// False, with a message in *problem, when the language cannot be loaded.
bool cliLoadLanguage(const QString &name, QString *problem);
// The same, printing the problem to stderr.
bool cliLoadLanguage(CliIo &io, const QString &name);

// The common start of the commands that read a card: the card folder must exist and the
// language load. False after printing why to stderr.
bool cliPrepareCard(CliIo &io, const QString &card, const QString &language);

// Takes "--name VALUE" out of args; false when the option is given without a value.
bool cliTakeOption(QStringList &args, const QString &name, QString *value);
// Takes "--name" out of args; answers whether it was there.
bool cliTakeFlag(QStringList &args, const QString &name);

// A TSV field: TAB, CR and LF become spaces.
QString cliTsvField(const QString &text);
// A name from a file or a card inside a message or a line of output: CR and LF become U+FFFD,
// so that no name starts a line of its own. The output stream replaces the other control
// characters, but it cannot tell a name's line feed from the end of a line.
QString cliShown(const QString &name);
