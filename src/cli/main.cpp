// SPDX-License-Identifier: GPL-3.0-or-later
// lumivox-cli: scripting access to the card library, its files and exports.
#include "cli/cardcommand.h"
#include "cli/cliio.h"
#include "cli/fontscommand.h"
#include "cli/importcommand.h"
#include "cli/musiccommand.h"
#include "cli/openlyricscommand.h"
#include "cli/playlistcommand.h"
#include "cli/packcommand.h"
#include "cli/reportcommand.h"
#include "cli/safeoutput.h"
#include "cli/scancommand.h"
#include "cli/searchcommand.h"
#include "cli/songcommand.h"
#include "core/app/version.h"
#include "core/util/posixfile.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <iterator>
#include <memory>

namespace {

// Subcommands register here as they are built.
const CliCommand kCommands[] = {
    {u"help", u"lumivox-cli help                           this text", nullptr},
    {u"song", kSongUsage, runSongCommand},
    kScanCommand,
    kPlaylistCommand,
    {u"fonts", kFontsUsage, runFontsCommand},
    {u"pack", kPackUsage, runPackCommand},
    {u"unpack", kUnpackUsage, runUnpackCommand},
    {u"card", kCardUsage, runCardCommand},
    kReportCommand,
    kSearchCommand,
    kImportCommand,
    kOpenLyricsCommand,
    kMusicCommand,
};

// Column of the descriptions in the help text.
constexpr qsizetype kDescriptionColumn = 45;

// Each command's usage text, laid out with its descriptions in one column: a command line that
// reaches the column puts its description on the lines below.
void printUsage(QTextStream &stream)
{
    stream << "usage: lumivox-cli [--help] [--version] COMMAND [ARGS...]\n\ncommands:\n";
    const QString indent(kDescriptionColumn, u' ');
    for (const CliCommand &command : kCommands) {
        QString pending; // a command line still waiting for its first description
        const auto flush = [&] {
            if (!pending.isEmpty())
                stream << "  " << pending << '\n';
            pending.clear();
        };
        const auto describe = [&](const QString &text) {
            if (!pending.isEmpty() && pending.size() + 3 <= kDescriptionColumn)
                stream << "  " << pending.leftJustified(kDescriptionColumn - 2) << text << '\n';
            else {
                flush();
                stream << indent << text << '\n';
            }
            pending.clear();
        };
        for (const QString &line : QString::fromUtf16(command.usage).split(u'\n')) {
            const QString text = line.trimmed();
            if (!text.startsWith(u"lumivox-cli ")) {
                describe(text);
                continue;
            }
            flush();
            // "COMMAND ARGS   description" on one line: two spaces part them.
            const qsizetype gap = text.indexOf(QStringLiteral("  "));
            pending = gap < 0 ? text : text.left(gap);
            if (gap >= 0)
                describe(text.mid(gap).trimmed());
        }
        flush();
    }
}

} // namespace

int main(int argc, char **argv)
{
    failWritesOverFileSizeLimit();
    QCoreApplication::setOrganizationName(QStringLiteral("Vorex"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumivox"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMIVOX_VERSION_NUMBER));
    // Only the PDF songbook draws text, and fonts need a GUI application; it runs on the
    // offscreen platform so that no display is needed. Everything else stays a core application.
    std::unique_ptr<QCoreApplication> application;
    if (argc > 2 && qstrcmp(argv[1], "report") == 0 && qstrcmp(argv[2], "songbook-pdf") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication &app = *application;

    SafeOutput safeOut(stdout);
    SafeOutput safeErr(stderr);
    QTextStream out(&safeOut);
    QTextStream err(&safeErr);
    CliIo io{out, err};

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        printUsage(err);
        return CliError;
    }
    const QString first = args.takeFirst();
    if (first == u"--help" || first == u"-h" || first == u"help") {
        printUsage(out);
        return CliOk;
    }
    if (first == u"--version" || first == u"-v") {
        out << "lumivox-cli " << QStringLiteral(LUMIVOX_VERSION_TEXT) << '\n';
        return CliOk;
    }
    for (const CliCommand &command : kCommands) {
        if (first == QStringView(command.name) && command.run) {
            const int code = command.run(args, io);
            out.flush();
            err.flush();
            return code;
        }
    }
    err << "lumivox-cli: unknown command \"" << first << "\"\n";
    printUsage(err);
    return CliError;
}
