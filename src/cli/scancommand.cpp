// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/scancommand.h"

#include "cli/clisupport.h"
#include "core/app/language.h"
#include "core/library/songlibrary.h"
#include "core/model/charsetmode.h"

#include <QFileInfo>

#include <algorithm>

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
    library.scanLibrary(full ? ScanFlags::kFullRefresh : ScanFlags::kRefresh, {}, ScanOptions::readOnly(currentCharsetMode()));

    // By number as the issue window lists them; issues of one number in the order found.
    QList<LoadIssue> issues = library.issues().issues();
    std::stable_sort(issues.begin(), issues.end(),
                     [](const LoadIssue &a, const LoadIssue &b) { return a.number < b.number; });
    if (tsv) {
        for (const LoadIssue &issue : std::as_const(issues))
            io.out << issue.number << '\t' << issue.code << '\t' << issue.fileType << '\t' << cliTsvField(issue.name)
                   << '\n';
    } else {
        io.out << "songs " << library.songCount() << ", slides " << library.slideCount() << ", playlists "
               << library.playlistCount() << ", issues " << issues.size() << '\n';
        for (const LoadIssue &issue : std::as_const(issues))
            io.out << issue.number << '\t' << Lang::text(issueTextId(issue.code)) << '\t' << cliShown(issue.name) << '\n';
    }
    return issues.isEmpty() ? CliOk : CliFindings;
}
