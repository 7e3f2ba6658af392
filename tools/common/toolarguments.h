// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

#include <cstdio>

// The first look at a tool's arguments, before anything is written: "--help" or "-h" prints
// usage on standard output (exit 0); an option that is not in options prints it on standard
// error (exit 2). -1 lets the tool go on. options lists every "--name" the tool takes.
inline int checkToolArguments(const QStringList &args, const QStringList &options, const char *usage)
{
    for (const QString &arg : args) {
        if (arg == u"--help" || arg == u"-h") {
            QTextStream(stdout) << usage;
            return 0;
        }
    }
    for (const QString &arg : args) {
        if (arg.startsWith(u'-') && arg.size() > 1 && !options.contains(arg)) {
            QTextStream(stderr) << "unknown option " << arg << '\n' << usage;
            return 2;
        }
    }
    return -1;
}
