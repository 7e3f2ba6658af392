// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/fontscommand.h"

#include "cli/clisupport.h"
#include "core/app/fontexportmessages.h"
#include "core/app/language.h"
#include "core/font/fontexport.h"

#include <QFileInfo>

namespace {

const CliCommand kFonts = {u"fonts", kFontsUsage, runFontsCommand};

} // namespace

int runFontsCommand(const QStringList &args, CliIo &io)
{
    if (args.isEmpty() || args.first() != u"export")
        return cliUsageError(io, kFonts);
    FontExportOptions options;
    QStringList positional;
    for (const QString &arg : args.mid(1)) {
        if (arg == u"--mirrored")
            options.mirrored = true;
        else if (arg == u"--header")
            options.withHeader = true;
        else if (arg == u"--lowercase-names")
            options.lowerCaseNames = true;
        else if (arg.startsWith(u"--"))
            return cliUsageError(io, kFonts, u"unknown option " + arg);
        else
            positional << arg;
    }
    if (positional.size() != 2)
        return cliUsageError(io, kFonts);
    options.fontDir = positional[0];
    options.outDir = positional[1];
    if (!QFileInfo(options.fontDir).isDir()) {
        io.err << "lumivox-cli: no such font folder: " << options.fontDir << '\n';
        return CliError;
    }
    if (!cliLoadLanguage(io, QString::fromUtf16(Lang::kFallbackLanguage)))
        return CliError;
    options.fontNames = fontNamesInDirectory(options.fontDir);
    if (options.fontNames.isEmpty()) {
        io.err << Lang::text(Txt::FontExportNoFonts) << '\n';
        return CliError;
    }
    const FontExportResult result = exportFontImage(options);
    for (const FontExportResult::Skipped &skipped : result.skipped)
        io.err << fontExportSkippedText(skipped) << '\n';
    if (!result.ok) {
        const QString text = Lang::text(result.failureTextId);
        io.err << (text.contains(u"%1") ? text.arg(result.failedFile) : text);
        if (!result.error.isEmpty())
            io.err << " (" << result.error << ')';
        io.err << '\n';
        return CliError;
    }
    io.out << "fonts " << result.fontsWritten << ", skipped " << result.skipped.size() << '\n';
    return result.skipped.isEmpty() ? CliOk : CliFindings;
}
