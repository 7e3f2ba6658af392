// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/scancommand.h"

#include "cli/clisupport.h"
#include "core/app/language.h"
#include "core/library/issuerows.h"
#include "core/library/songlibrary.h"
#include "core/model/charsetmode.h"

#include <QFileInfo>

int runScanCommand(const QStringList &arguments, CliIo &io)
{
    QStringList args = arguments;
    QString language = QString::fromUtf16(Lang::kFallbackLanguage);
    if (!cliTakeOption(args, QStringLiteral("--language"), &language))
        return cliUsageError(io, kScanCommand, QStringLiteral("--language needs a name"));
    const bool full = cliTakeFlag(args, QStringLiteral("--full"));
    const bool tsv = cliTakeFlag(args, QStringLiteral("--tsv"));
    if (args.size() != 1 || args.first().startsWith(u"--"))
        return cliUsageError(io, kScanCommand);
    const QString card = args.first();
    if (!cliPrepareCard(io, card, language))
        return CliError;

    SongLibrary library;
    library.setRoot(QFileInfo(card).absoluteFilePath());
    library.scanLibrary(full ? kFullRefreshScan : kRefreshScan, {}, ScanOptions::readOnly(currentCharsetMode()));

    // The rows of the issue window, in its order.
    const QList<IssueRow> issues = issueRows(library.issues());
    if (tsv) {
        for (const IssueRow &issue : issues)
            io.out << issue.number << '\t' << int(issue.code) << '\t' << int(issue.fileType) << '\t'
                   << cliTsvField(issue.location) << '\n';
    } else {
        io.out << "songs " << library.songCount() << ", slides " << library.slideCount() << ", playlists "
               << library.playlistCount() << ", issues " << issues.size() << '\n';
        for (const IssueRow &issue : issues)
            io.out << issue.number << '\t' << Lang::text(issue.textId) << '\t' << cliShown(issue.location) << '\n';
    }
    return issues.isEmpty() ? CliOk : CliFindings;
}
