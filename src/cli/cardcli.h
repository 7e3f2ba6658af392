// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"
#include "core/card/cardfinding.h"
#include "core/card/cardjob.h"
#include "core/card/cardwritecheck.h"
#include "core/util/progress.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

// What the card subcommands share besides clisupport.h.

// Takes "--language NAME" and the given flags out of args and loads the language. False after
// printing why: a usage error (exit 2) for a missing name, an unknown option or a wrong number
// of arguments, a message when the language cannot be loaded.
bool cardCliPrepare(QStringList &args, const QStringList &flags, qsizetype positionals, const CliCommand &command,
                    CliIo &io, QStringList *present = nullptr);

// Progress callbacks that redraw one line on standard error, or nothing when it is not a terminal.
class CliProgressLine
{
public:
    explicit CliProgressLine(CliIo &io);
    ~CliProgressLine() { finish(); }
    Progress progress();
    // Clears the line so that the results print on clean lines.
    void finish();

private:
    void draw(const QString &file);
    void clearLine();

    CliIo &m_io;
    bool m_enabled = false;
    bool m_drawn = false;
    QString m_directory;
    int m_done = 0;
    QElapsedTimer m_sinceDrawn;
};

// Prints each finding on standard error; true when there were any.
bool reportFindings(CliIo &io, const CardFindings &findings);

// Prints why a card operation is refused (with the hint "--force" where it helps, and the
// entries a card never holds, one a line); true when it is.
bool reportRefusal(CliIo &io, CardWriteCheck check, const QString &image, const QString &card,
                   const QStringList &entries = {});
// Prints why a card job did not do its work (refused, another writer, too little space, a
// clear that could not run); true when it did not. image and card as checkCardWrite() takes them.
bool reportJobProblem(CliIo &io, const CardJobResult &result, const QString &image, const QString &card);
// The files a copy could not handle, their count and the failed sync; "nothing appended" when
// asked and true. CliOk, CliFindings for files not copied, CliError for a failed sync.
int reportCopyResult(CliIo &io, const CardJobResult &result, const QString &card, bool sayNothingAppended);
