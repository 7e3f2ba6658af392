// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/reportcommand.h"

#include "cli/clisupport.h"
#include "core/app/language.h"
#include "core/library/songlibrary.h"
#include "core/model/charsetmode.h"
#include "core/report/report.h"
#include "pdf/songbookpdf.h"

#include <QFileInfo>

#include <optional>

namespace {

std::optional<ReportKind> kindNamed(const QString &name)
{
    if (name == u"songbook")
        return ReportKind::Songbook;
    if (name == u"index")
        return ReportKind::NumberIndex;
    if (name == u"alphabetical")
        return ReportKind::Alphabetical;
    return std::nullopt;
}

// Both reports read the card the same way: songs with their number checks, nothing written.
void scanForReport(SongLibrary &library, const QString &card)
{
    library.setRoot(QFileInfo(card).absoluteFilePath());
    library.scanLibrary(ScanFlag::Songs | ScanFlag::CheckNumbers, {}, ScanOptions::readOnly(currentCharsetMode()));
}

int runSongbookPdf(QStringList args, CliIo &io, const QString &language)
{
    QString paper = QStringLiteral("A5");
    QString columns = QStringLiteral("1");
    if (!cliTakeOption(args, QStringLiteral("--paper"), &paper))
        return cliUsageError(io, kReportCommand, QStringLiteral("--paper needs A5 or A4"));
    if (!cliTakeOption(args, QStringLiteral("--columns"), &columns))
        return cliUsageError(io, kReportCommand, QStringLiteral("--columns needs 1 or 2"));
    if (args.size() != 3 || args.at(1).startsWith(u"--") || args.at(2).startsWith(u"--"))
        return cliUsageError(io, kReportCommand);
    SongbookPdfOptions options;
    if (paper.compare(u"A4", Qt::CaseInsensitive) == 0)
        options.paper = SongbookPdfOptions::Paper::A4;
    else if (paper.compare(u"A5", Qt::CaseInsensitive) != 0)
        return cliUsageError(io, kReportCommand, QStringLiteral("unknown paper \"") + paper + u'"');
    if (columns != u"1" && columns != u"2")
        return cliUsageError(io, kReportCommand, QStringLiteral("--columns must be 1 or 2"));
    options.columns = columns.toInt();
    const QString card = args.at(1);
    const QString out = args.at(2);
    if (!cliPrepareCard(io, card, language))
        return CliError;

    SongLibrary library;
    scanForReport(library, card);
    SongbookPdfResult result;
    QString error;
    if (!SongbookPdf::save(out, library, options, SongbookPdfTexts::fromLanguage(), {}, &result, &error)) {
        io.err << "lumivox-cli: " << out << ": " << error << '\n';
        return CliError;
    }
    io.out << "songs " << result.songs << ", pages " << result.pages << '\n';
    for (const QString &warning : result.warnings())
        io.err << warning << '\n';
    return CliOk;
}

} // namespace

int runReportCommand(const QStringList &arguments, CliIo &io)
{
    QStringList args = arguments;
    QString language = QString::fromUtf16(Lang::kFallbackLanguage);
    if (!cliTakeOption(args, QStringLiteral("--language"), &language))
        return cliUsageError(io, kReportCommand, QStringLiteral("--language needs a name"));
    if (!args.isEmpty() && args.first() == u"songbook-pdf")
        return runSongbookPdf(args, io, language);
    if (args.size() != 3 || args.at(1).startsWith(u"--") || args.at(2).startsWith(u"--"))
        return cliUsageError(io, kReportCommand);
    const std::optional<ReportKind> kind = kindNamed(args.at(0));
    if (!kind)
        return cliUsageError(io, kReportCommand, QStringLiteral("unknown report \"") + args.at(0) + u'"');
    const QString card = args.at(1);
    const QString out = args.at(2);
    if (!cliPrepareCard(io, card, language))
        return CliError;

    SongLibrary library;
    scanForReport(library, card);

    ReportCounts counts;
    QString error;
    if (!Report::save(out, *kind, library, Lang::text(Report::titleTextId(*kind)), {}, &counts, &error)) {
        io.err << "lumivox-cli: " << out << ": " << error << '\n';
        return CliError;
    }
    if (counts.leftOut > 0)
        io.err << Lang::text(Txt::ReportSongsLeftOut).arg(counts.leftOut) << '\n';
    return CliOk;
}
