// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/openlyricscommand.h"

#include "cli/clisupport.h"
#include "core/lyrics/lyricexport.h"
#include "core/lyrics/lyricimport.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A message on stderr: its token and the system's or Qt's words when there are any.
QString messageOf(const LyricMessage &message)
{
    return message.detail.isEmpty() ? message.token() : message.token() + u": " + cliShown(message.detail);
}

int runExport(QStringList args, CliIo &io)
{
    QString group;
    QString songbook;
    if (!cliTakeOption(args, QStringLiteral("--group"), &group))
        return cliUsageError(io, kOpenLyricsCommand, QStringLiteral("--group needs a name"));
    if (!cliTakeOption(args, QStringLiteral("--songbook"), &songbook))
        return cliUsageError(io, kOpenLyricsCommand, QStringLiteral("--songbook needs a name"));
    if (args.size() != 2 || args.at(0).startsWith(u"--") || args.at(1).startsWith(u"--"))
        return cliUsageError(io, kOpenLyricsCommand);
    const QString card = args.at(0);
    if (!QFileInfo(card).isDir()) {
        io.err << "lumivox-cli: " << card << ": no such card folder\n";
        return CliError;
    }
    if (songbook.isEmpty())
        songbook = QFileInfo(QDir::cleanPath(QFileInfo(card).absoluteFilePath())).fileName();
    LyricExport::Result result;
    LyricMessage error;
    if (!LyricExport::exportSongs(card, group, args.at(1), songbook, LyricExport::programName(), result, {}, &error)) {
        io.err << "lumivox-cli: " << messageOf(error) << '\n';
        return CliError;
    }
    io.out << "written " << result.written << ", unchanged " << result.unchanged << ", failed "
           << result.failed.size() << '\n';
    for (const QString &failed : result.failed)
        io.err << "lumivox-cli: not exported: " << cliShown(failed) << '\n';
    return result.failed.isEmpty() ? CliOk : CliFindings;
}

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

int runImport(QStringList args, CliIo &io)
{
    QString card;
    QString group;
    QString songbook;
    QString board = QStringLiteral("20x10");
    if (!cliTakeOption(args, QStringLiteral("--card"), &card) || !cliTakeOption(args, QStringLiteral("--group"), &group)
        || !cliTakeOption(args, QStringLiteral("--songbook"), &songbook)
        || !cliTakeOption(args, QStringLiteral("--board"), &board))
        return cliUsageError(io, kOpenLyricsCommand, QStringLiteral("an option needs a value"));
    const bool tsv = cliTakeFlag(args, QStringLiteral("--tsv"));
    if (card.isEmpty() || group.isEmpty() || args.isEmpty())
        return cliUsageError(io, kOpenLyricsCommand, QStringLiteral("import needs files, --card and --group"));
    for (const QString &arg : std::as_const(args)) {
        if (arg.startsWith(u"--"))
            return cliUsageError(io, kOpenLyricsCommand, QStringLiteral("unknown option \"") + arg + u'"');
    }
    LyricImport::Request request;
    if (board == u"16x6")
        request.board = {16, 6};
    else if (board != u"20x10")
        return cliUsageError(io, kOpenLyricsCommand, QStringLiteral("--board must be 20x10 or 16x6"));
    request.card = card;
    request.group = group;
    request.songbook = songbook;
    request.lang = QStringLiteral("pl");
    QList<LyricImport::FileResult> results;
    LyricMessage error;
    if (!LyricImport::importFiles(args, request, results, {}, {}, &error)) {
        io.err << "lumivox-cli: " << messageOf(error) << '\n';
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
            io.out << cliTsvField(r.file) << '\t' << r.number << '\t' << cliTsvField(r.title) << '\t'
                   << resultWord(r) << '\t' << cliTsvField(noteOf(r)) << '\n';
        } else if (r.outcome == LyricImport::Outcome::Refused) {
            io.err << "lumivox-cli: " << cliShown(r.file) << ": " << messageOf(r.reason) << '\n';
        }
    }
    if (!tsv)
        io.out << "imported " << imported << ", present " << present << ", refused " << refused << '\n';
    return refused > 0 ? CliFindings : CliOk;
}

} // namespace

int runOpenLyricsCommand(const QStringList &arguments, CliIo &io)
{
    QStringList args = arguments;
    if (args.isEmpty())
        return cliUsageError(io, kOpenLyricsCommand);
    const QString verb = args.takeFirst();
    if (verb == u"export")
        return runExport(args, io);
    if (verb == u"import")
        return runImport(args, io);
    return cliUsageError(io, kOpenLyricsCommand, QStringLiteral("unknown action \"") + verb + u'"');
}
