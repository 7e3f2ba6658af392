// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/importcommand.h"

#include "cli/clisupport.h"
#include "core/lyrics/lyricimport.h"
#include "core/lyrics/textdecoding.h"

namespace {

QString resultWord(const LyricImport::FileResult &result)
{
    switch (result.outcome) {
    case LyricImport::Outcome::Imported:
        return QStringLiteral("imported");
    case LyricImport::Outcome::Present:
        return QStringLiteral("present");
    case LyricImport::Outcome::Refused:
        break;
    }
    return QStringLiteral("refused");
}

// The note column: the reason of a refusal or the notes, as tokens ("chars-replaced=2").
QString noteOf(const LyricImport::FileResult &result)
{
    return result.outcome == LyricImport::Outcome::Refused ? result.reason.token()
                                                           : lyricTokens(result.notes.messages());
}

} // namespace

QString lyricMessageLine(const LyricMessage &message)
{
    return message.detail.isEmpty() ? message.token() : message.token() + u": " + cliShown(message.detail);
}

int runImport(QStringList args, CliIo &io, const CliCommand &usage)
{
    QString card;
    QString group;
    QString songbook;
    QString board = QStringLiteral("20x10");
    QString encoding;
    QString language;
    if (!cliTakeOption(args, QStringLiteral("--card"), &card) || !cliTakeOption(args, QStringLiteral("--group"), &group)
        || !cliTakeOption(args, QStringLiteral("--songbook"), &songbook)
        || !cliTakeOption(args, QStringLiteral("--board"), &board)
        || !cliTakeOption(args, QStringLiteral("--encoding"), &encoding)
        || !cliTakeOption(args, QStringLiteral("--language"), &language))
        return cliUsageError(io, usage, QStringLiteral("an option needs a value"));
    const bool tsv = cliTakeFlag(args, QStringLiteral("--tsv"));
    if (card.isEmpty() || group.isEmpty() || args.isEmpty())
        return cliUsageError(io, usage, QStringLiteral("import needs files, --card and --group"));
    for (const QString &arg : std::as_const(args)) {
        if (arg.startsWith(u"--"))
            return cliUsageError(io, usage, QStringLiteral("unknown option \"") + arg + u'"');
    }
    LyricImport::Request request;
    if (board == u"16x6")
        request.board = {16, 6};
    else if (board != u"20x10")
        return cliUsageError(io, usage, QStringLiteral("--board must be 20x10 or 16x6"));
    if (!encoding.isEmpty() && !TextDecoding::isKnown(encoding))
        return cliUsageError(io, usage, QStringLiteral("unknown encoding \"") + encoding + u'"');
    request.card = card;
    request.group = group;
    request.songbook = songbook;
    request.lang = QStringLiteral("pl");
    request.language = language;
    request.encoding = encoding;
    QList<LyricImport::FileResult> results;
    LyricMessage error;
    if (!LyricImport::importFiles(args, request, results, {}, {}, &error)) {
        io.err << "lumivox-cli: " << lyricMessageLine(error) << '\n';
        return CliError;
    }
    int refused = 0;
    int imported = 0;
    int present = 0;
    for (const LyricImport::FileResult &r : std::as_const(results)) {
        refused += r.outcome == LyricImport::Outcome::Refused;
        imported += r.outcome == LyricImport::Outcome::Imported;
        present += r.outcome == LyricImport::Outcome::Present;
        if (tsv) {
            io.out << cliTsvField(r.file) << '\t' << r.number << '\t' << cliTsvField(r.title) << '\t' << resultWord(r)
                   << '\t' << cliTsvField(noteOf(r)) << '\t' << r.format << '\t' << cliTsvField(r.encoding) << '\n';
        } else if (r.outcome == LyricImport::Outcome::Refused) {
            io.err << "lumivox-cli: " << cliShown(r.file) << ": " << lyricMessageLine(r.reason) << '\n';
        } else if (r.notes.movedFrom > 0 && r.outcome == LyricImport::Outcome::Imported) {
            io.out << cliShown(r.file) << ": entry " << r.notes.movedFrom << " taken, number " << r.number << '\n';
        }
    }
    if (!tsv)
        io.out << "imported " << imported << ", present " << present << ", refused " << refused << '\n';
    return refused > 0 ? CliFindings : CliOk;
}

int runImportCommand(const QStringList &args, CliIo &io)
{
    return runImport(args, io, kImportCommand);
}
