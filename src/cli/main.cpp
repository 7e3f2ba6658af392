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

void printUsage(QTextStream &stream)
{
    stream << "usage: lumivox-cli [--help] [--version] COMMAND [ARGS...]\n\ncommands:\n";
    for (const CliCommand &command : kCommands)
        stream << "  " << QString::fromUtf16(command.usage) << '\n';
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
