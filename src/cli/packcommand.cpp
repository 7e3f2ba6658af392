// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/packcommand.h"

#include "cli/cardcli.h"
#include "core/app/cardmessages.h"
#include "core/app/language.h"
#include "core/app/librarypacking.h"
#include "core/card/carddatafile.h"

#include <QDir>
#include <QFileInfo>

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
    if (!QFileInfo(card).isDir()) {
        io.err << "lumivox-cli: " << cardFindingText({Txt::CardFolderMissing, card}) << '\n';
        return CliError;
    }
    CliProgressLine line(io);
    const CardPackResult result = CardDataFile::save(out, libraryPackList(card), line.progress());
    line.finish();
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
    // Files of the card data file would land among what the folder holds.
    const bool force = flags.contains(u"--force"_qs);
    if (!force && !QDir(dir).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        io.err << "lumivox-cli: " << cardFindingText({Txt::UnpackFolderNotEmpty, dir}) << " (--force)\n";
        return CliError;
    }
    CliProgressLine line(io);
    const CardUnpackResult result = CardDataFile::load(args.at(0), dir, line.progress(),
                                                       force ? CardUnpackFolders::ReuseExisting : CardUnpackFolders::MustBeNew);
    line.finish();
    const bool skipped = reportFindings(io, result.notWritten);
    if (!result.ok()) {
        io.err << "lumivox-cli: " << cardUnpackText(result) << '\n';
        return CliError;
    }
    return skipped ? CliFindings : CliOk;
}
