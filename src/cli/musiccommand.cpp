// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/musiccommand.h"

#include "audio/musicdecoding.h"
#include "cli/clisupport.h"
#include "core/app/language.h"

int runMusicCommand(const QStringList &arguments, CliIo &io)
{
    QStringList args = arguments;
    QString language = QString::fromUtf16(Lang::kFallbackLanguage);
    if (!cliTakeOption(args, QStringLiteral("--language"), &language))
        return cliUsageError(io, kMusicCommand, QStringLiteral("--language needs a name"));
    if (args.size() < 2 || args.first() != u"info")
        return cliUsageError(io, kMusicCommand);
    args.removeFirst();
    if (!cliLoadLanguage(io, language))
        return CliError;

    int code = CliOk;
    for (const QString &path : std::as_const(args)) {
        MusicFileInfo info;
        QString reason;
        if (!readMusicFileInfo(path, &info, &reason)) {
            io.err << cliShown(path) << ": " << reason << '\n';
            code = CliFindings;
            continue;
        }
        io.out << cliTsvField(path) << '\t' << info.format << '\t' << info.durationMs << '\t' << info.channels << '\t'
               << info.sampleRate << '\n';
    }
    return code;
}
