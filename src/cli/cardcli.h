// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"
#include "core/card/cardprogress.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

// What the card subcommands share: option splitting, the language of their messages and a
// progress line that is drawn only when standard error is a terminal.
struct CardCliArgs
{
    QStringList positional;
    QStringList flags;      // "--append", "--tsv", "--force"
    QString language = QStringLiteral("Polski");
    QString problem;        // an unknown option or a missing value

    bool has(const QString &flag) const { return flags.contains(flag); }
};

CardCliArgs parseCardCliArgs(const QStringList &args, const QStringList &knownFlags);

// Loads the language whose texts the messages use; false (with a message) when none can be read.
bool loadCliLanguage(const QString &name, CliIo &io);

// Progress callbacks that redraw one line on standard error, or nothing when it is not a terminal.
class CliProgressLine
{
public:
    explicit CliProgressLine(CliIo &io);
    ~CliProgressLine() { finish(); }
    CardProgress progress();
    // Clears the line so that the results print on clean lines.
    void finish();

private:
    void draw(const QString &file);

    CliIo &m_io;
    bool m_enabled = false;
    bool m_drawn = false;
    QString m_directory;
    int m_done = 0;
    QElapsedTimer m_sinceDrawn;
};

// Prints each finding on standard error; true when there were any.
bool reportFindings(CliIo &io, const CardFindings &findings);
