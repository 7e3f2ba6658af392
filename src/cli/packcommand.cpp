// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/packcommand.h"

#include "cli/cardcli.h"
#include "cli/clisupport.h"
#include "core/app/cardmessages.h"
#include "core/app/language.h"
#include "core/card/cardpackjobs.h"

namespace {

const CliCommand kPack{u"pack", kPackUsage, runPackCommand};
const CliCommand kUnpack{u"unpack", kUnpackUsage, runUnpackCommand};

} // namespace

int runPackCommand(const QStringList &arguments, CliIo &io)
{
    QStringList args = arguments;
    if (!cardCliPrepare(args, {}, 2, kPack, io))
        return CliError;
    const QString card = args.at(0);
    const QString out = args.at(1);
    CliProgressLine line(io);
    const CardPackJobResult packed = packCard(card, out, line.progress());
    line.finish();
    if (packed.refusal.textId != 0) {
        io.err << "lumivox-cli: " << cardFindingText({packed.refusal.textId, cliShown(packed.refusal.name)}) << '\n';
        return CliError;
    }
    const CardPackResult &result = packed.pack;
    if (!result.ok) {
        io.err << "lumivox-cli: " << out << ": " << result.error << '\n';
        return CliError;
    }
    return reportFindings(io, result.skipped) ? CliFindings : CliOk;
}

int runUnpackCommand(const QStringList &arguments, CliIo &io)
{
    QStringList args = arguments;
    QStringList flags;
    if (!cardCliPrepare(args, {u"--force"_qs}, 2, kUnpack, io, &flags))
        return CliError;
    const QString dir = args.at(1);
    CliProgressLine line(io);
    const CardUnpackJobResult job = unpackCardFile(args.at(0), dir, flags.contains(u"--force"_qs), line.progress());
    line.finish();
    if (reportJobProblem(io, job.job, args.at(0), dir))
        return CliError;
    const CardUnpackResult &result = job.unpack;
    const bool skipped = reportFindings(io, result.notWritten);
    if (!result.ok()) {
        io.err << "lumivox-cli: " << cardUnpackText(result) << '\n';
        return CliError;
    }
    return skipped ? CliFindings : CliOk;
}
