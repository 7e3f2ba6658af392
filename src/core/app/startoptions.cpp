// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/startoptions.h"

StartOptions StartOptions::parse(const QStringList &arguments)
{
    StartOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == u"--help" || arg == u"-h") {
            options.help = true;
        } else if (arg == u"--version" || arg == u"-v") {
            options.version = true;
        } else if (arg == u"--show-text-ids") {
            options.showTextIds = true;
        } else if (arg == u"--no-splash") {
            options.noSplash = true;
        } else if (arg == u"--quit-when-ready") {
            options.quitWhenReady = true;
        } else if (arg == u"--card" || arg.startsWith(u"--card=")) {
            QString dir = arg.mid(7);
            if (arg == u"--card") {
                if (i + 1 == arguments.size()) {
                    options.error = QStringLiteral("--card needs a folder");
                    break;
                }
                dir = arguments.at(++i);
            }
            if (dir.isEmpty()) {
                options.error = QStringLiteral("--card needs a folder");
                break;
            }
            options.cardFolders << dir;
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            options.error = u"unknown option " + arg;
            break;
        } else if (options.projectFile.isEmpty()) {
            options.projectFile = arg;
        } else {
            options.error = u"more than one file given: " + arg;
            break;
        }
    }
    return options;
}

QString StartOptions::usage()
{
    return QStringLiteral(
        "usage: lumivox [FILE.lvp] [--card DIR]... [--show-text-ids] [--no-splash] [--quit-when-ready]\n"
        "\n"
        "  FILE.lvp          restore this card data file once the window is open\n"
        "  --card DIR        offer the folder DIR as a card in the drive list (repeatable)\n"
        "  --show-text-ids   show every text with its language text id, for translators\n"
        "  --no-splash       start without the splash window\n"
        "  --quit-when-ready exit once the window is shown and the first scan has filled the tree\n"
        "                    (for start-up measurements and smoke tests)\n"
        "  --help            this text\n"
        "  --version         the program's version\n");
}
