// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/reportcommand.h"

#include "cli/clisupport.h"
#include "core/app/language.h"
#include "core/library/songlibrary.h"
#include "core/model/charsetmode.h"
#include "core/report/report.h"

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

} // namespace

int runReportCommand(const QStringList &arguments, CliIo &io)
{
    QStringList args = arguments;
    QString language = QString::fromUtf16(Lang::kFallbackLanguage);
    if (!cliTakeOption(args, QStringLiteral("--language"), &language))
        return cliUsageError(io, kReportCommand, QStringLiteral("--language needs a name"));
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
    library.setRoot(QFileInfo(card).absoluteFilePath());
    library.scanLibrary(ScanFlags::Songs | ScanFlags::CheckNumbers, {}, ScanOptions::readOnly(currentCharsetMode()));

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
