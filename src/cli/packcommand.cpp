// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/packcommand.h"

#include "cli/cardcli.h"
#include "core/app/language.h"
#include "core/card/carddatafile.h"
#include "core/card/cardpacklist.h"

#include <QFileInfo>

namespace {

const CliCommand kPack{u"pack", kPackUsage, runPackCommand};
const CliCommand kUnpack{u"unpack", kUnpackUsage, runUnpackCommand};

} // namespace

int runPackCommand(const QStringList &args, CliIo &io)
{
    const CardCliArgs parsed = parseCardCliArgs(args, {});
    if (!parsed.problem.isEmpty() || parsed.positional.size() != 2)
        return cliUsageError(io, kPack, parsed.problem);
    if (!loadCliLanguage(parsed.language, io))
        return CliError;
    const QString card = parsed.positional.at(0);
    const QString out = parsed.positional.at(1);
    if (!QFileInfo(card).isDir()) {
        io.err << "lumivox-cli: " << CardFinding{Txt::CardFolderMissing, card}.message() << '\n';
        return CliError;
    }
    CliProgressLine line(io);
    const CardPackResult result = CardDataFile::write(out, cardPackList(card), line.progress());
    line.finish();
    if (!result.ok) {
        io.err << "lumivox-cli: " << out << ": " << result.error << '\n';
        return CliError;
    }
    return reportFindings(io, result.skipped) ? CliFindings : CliOk;
}

int runUnpackCommand(const QStringList &args, CliIo &io)
{
    const CardCliArgs parsed = parseCardCliArgs(args, {});
    if (!parsed.problem.isEmpty() || parsed.positional.size() != 2)
        return cliUsageError(io, kUnpack, parsed.problem);
    if (!loadCliLanguage(parsed.language, io))
        return CliError;
    CliProgressLine line(io);
    const CardUnpackResult result = CardDataFile::unpack(parsed.positional.at(0), parsed.positional.at(1), line.progress());
    line.finish();
    const bool skipped = reportFindings(io, result.notWritten);
    if (!result.ok()) {
        io.err << "lumivox-cli: " << result.message() << '\n';
        return CliError;
    }
    return skipped ? CliFindings : CliOk;
}
