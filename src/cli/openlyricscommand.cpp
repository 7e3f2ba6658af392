// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/openlyricscommand.h"

#include "cli/clisupport.h"
#include "cli/importcommand.h"
#include "core/lyrics/lyricexport.h"

#include <QDir>
#include <QFileInfo>

namespace {

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
        io.err << "lumivox-cli: " << lyricMessageLine(error) << '\n';
        return CliError;
    }
    io.out << "written " << result.written << ", unchanged " << result.unchanged << ", failed " << result.failed.size()
           << '\n';
    for (const QString &failed : result.failed)
        io.err << "lumivox-cli: not exported: " << cliShown(failed) << '\n';
    return result.failed.isEmpty() ? CliOk : CliFindings;
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
        return runImport(args, io, kOpenLyricsCommand);
    return cliUsageError(io, kOpenLyricsCommand, QStringLiteral("unknown action \"") + verb + u'"');
}
