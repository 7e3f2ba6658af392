// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cardcommand.h"

#include "cli/cardcli.h"
#include "cli/cardplancommand.h"
#include "cli/clisupport.h"
#include "core/app/cardmessages.h"
#include "core/app/language.h"
#include "core/card/cardrestorejob.h"
#include "core/card/cardwritejob.h"

#include <QHash>

namespace {

const CliCommand kCard{u"card", kCardUsage, runCardCommand};

void printChanges(CliIo &io, const QList<CardChangeRecord> &changes, bool tsv)
{
    for (const CardChangeRecord &record : changes) {
        if (tsv) {
            io.out << record.kind << '\t' << record.number << '\t' << cliTsvField(record.title) << '\t' << record.change
                   << '\n';
            continue;
        }
        const Txt::Id change = record.change == CardChangeRecord::New ? Txt::CardChangeNew : Txt::CardChangeReplaced;
        io.out << cardPlanKindText(record.kind) << '\t'
               << QStringLiteral("%1").arg(record.number, 4, 10, QLatin1Char('0')) << '\t' << cliTsvField(record.title)
               << '\t' << Lang::text(change) << '\n';
    }
}

int runWrite(const QStringList &args, const QStringList &flags, CliIo &io)
{
    const QString image = args.at(1);
    const QString card = args.at(2);
    const bool append = flags.contains(u"--append"_qs);
    const bool tsv = flags.contains(u"--tsv"_qs);
    if (flags.contains(u"--dry-run"_qs)) {
        CardPlanOptions options;
        options.append = append;
        options.tsv = tsv;
        options.all = flags.contains(u"--all"_qs);
        options.force = flags.contains(u"--force"_qs);
        return runCardDryRun(image, card, options, io);
    }
    if (flags.contains(u"--all"_qs))
        return cliUsageError(io, kCard, QStringLiteral("--all goes with --dry-run"));
    if (tsv && !append)
        return cliUsageError(io, kCard, QStringLiteral("--tsv goes with --append or --dry-run"));
    CardWriteRequest request;
    request.image = image;
    request.card = card;
    request.append = append;
    request.force = flags.contains(u"--force"_qs);
    request.volumeProbe = io.volumeProbe;
    CliProgressLine line(io);
    const CardJobResult result = writeCard(request, line.progress());
    line.finish();
    if (reportJobProblem(io, result, image, card))
        return CliError;
    if (append)
        printChanges(io, result.changes, tsv);
    return reportCopyResult(io, result, card, append && !tsv);
}

int runRestore(const QStringList &args, const QStringList &flags, CliIo &io)
{
    const QString card = args.at(1);
    const QString library = args.at(2);
    const CardRestoreTarget target = flags.contains(u"--image"_qs) ? CardRestoreTarget::Image
                                                                   : CardRestoreTarget::Library;
    CliProgressLine line(io);
    const CardJobResult result = restoreCard(card, library, target, line.progress(), flags.contains(u"--force"_qs));
    line.finish();
    if (reportJobProblem(io, result, library, card))
        return CliError;
    return reportCopyResult(io, result, library, false);
}

} // namespace

int runCardCommand(const QStringList &arguments, CliIo &io)
{
    QStringList args = arguments;
    const QString action = args.value(0);
    static const QHash<QString, QStringList> kFlags = {
        {u"write"_qs, {u"--append"_qs, u"--tsv"_qs, u"--force"_qs, u"--dry-run"_qs, u"--all"_qs}},
        {u"restore"_qs, {u"--force"_qs, u"--image"_qs}},
        {u"verify"_qs, {u"--exact"_qs, u"--tsv"_qs}},
    };
    if (!kFlags.contains(action))
        return cliUsageError(io, kCard, action.isEmpty() ? QString() : QStringLiteral("unknown action ") + action);
    QStringList flags;
    if (!cardCliPrepare(args, kFlags.value(action), 3, kCard, io, &flags))
        return CliError;
    if (action == u"verify") {
        CardPlanOptions options;
        options.tsv = flags.contains(u"--tsv"_qs);
        options.exact = flags.contains(u"--exact"_qs);
        return runCardVerify(args.at(1), args.at(2), options, io);
    }
    return action == u"write" ? runWrite(args, flags, io) : runRestore(args, flags, io);
}
