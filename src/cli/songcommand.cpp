// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/songcommand.h"

#include "cli/clisupport.h"
#include "core/library/issuerows.h"
#include "core/model/songfile.h"

#include <QFileInfo>

namespace {

const CliCommand kSong{u"song", kSongUsage, runSongCommand};

void printIssues(CliIo &io, const QString &path, const IssueList &issues)
{
    for (const LoadIssue &issue : issues) {
        const IssueRow row = issueRow(issue);
        io.out << cliTsvField(path) << '\t' << row.number << '\t' << int(row.code) << '\t' << int(row.fileType) << '\t'
               << cliTsvField(row.location) << '\n';
    }
}

bool loadReadOnly(CliIo &io, Song &song, const QString &path, IssueList *issues)
{
    QString error;
    if (SongFile::load(path, song, issues, SongLoadOptions{false}, &error))
        return true;
    io.err << "lumivox-cli: cannot read " << path << ": " << error << '\n';
    return false;
}

int rewrite(const QStringList &args, CliIo &io)
{
    if (args.size() != 2)
        return cliUsageError(io, kSong);
    const QString &in = args[0];
    const QString &out = args[1];
    const QFileInfo inInfo(in);
    const QFileInfo outInfo(out);
    if (outInfo.exists() && inInfo.exists() && inInfo.canonicalFilePath() == outInfo.canonicalFilePath()) {
        io.err << "lumivox-cli: OUT is the same file as IN, which song rewrite never changes\n";
        return CliError;
    }
    Song song;
    IssueList issues;
    if (!loadReadOnly(io, song, in, &issues))
        return CliError;
    printIssues(io, in, issues);
    QString error;
    if (!SongFile::save(out, song, &error)) {
        io.err << "lumivox-cli: cannot write " << out << ": " << error << '\n';
        return CliError;
    }
    return CliOk;
}

int check(const QStringList &args, CliIo &io)
{
    if (args.isEmpty())
        return cliUsageError(io, kSong);
    bool anyIssue = false;
    bool anyError = false;
    for (const QString &path : args) {
        Song song;
        IssueList issues;
        if (!loadReadOnly(io, song, path, &issues)) {
            anyError = true;
            continue;
        }
        printIssues(io, path, issues);
        anyIssue = anyIssue || !issues.isEmpty();
    }
    return anyError ? CliError : anyIssue ? CliFindings : CliOk;
}

void printScreen(CliIo &io, const Song &song, int stanza, int screen)
{
    io.out << "-- stanza " << stanza + 1;
    if (stanza + 1 == song.refrainIndex())
        io.out << " (refrain)";
    io.out << ", screen " << screen + 1 << '/' << song.screenCount(stanza) << '\n';
    for (int line = 0; line < kScreenLines; ++line) {
        QString text = song.lineText(stanza, screen, line);
        qsizetype end = text.size();
        while (end > 0 && text.at(end - 1) == u' ')
            --end;
        text.truncate(end);
        io.out << text << '\n';
    }
}

int show(const QStringList &args, CliIo &io)
{
    if (args.size() != 1)
        return cliUsageError(io, kSong);
    Song song;
    if (!loadReadOnly(io, song, args[0], nullptr))
        return CliError;
    if (song.kind() == SongKind::Slide) {
        for (int i = 0; i < song.stanzaCount(); ++i) {
            for (int j = 0; j < song.screenCount(i); ++j)
                printScreen(io, song, i, j);
        }
    } else {
        for (const SongPosition &at : song.performancePositions())
            printScreen(io, song, at.stanza, at.screen);
    }
    return CliOk;
}

} // namespace

int runSongCommand(const QStringList &args, CliIo &io)
{
    if (args.isEmpty())
        return cliUsageError(io, kSong);
    const QString action = args.first();
    const QStringList rest = args.mid(1);
    if (action == u"rewrite")
        return rewrite(rest, io);
    if (action == u"check")
        return check(rest, io);
    if (action == u"show")
        return show(rest, io);
    return cliUsageError(io, kSong, QStringLiteral("unknown song action \"%1\"").arg(action));
}
