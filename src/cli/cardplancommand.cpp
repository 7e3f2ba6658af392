// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cardplancommand.h"

#include "cli/cardcli.h"
#include "cli/clisupport.h"
#include "core/app/cardmessages.h"
#include "core/app/language.h"
#include "core/card/cardreadjobs.h"

namespace {

const char *const kChangeNames[] = {"new", "replace", "same", "extra", "unreadable"};

void printRow(CliIo &io, const CardPlanRow &row, CardPlanMode mode, bool tsv)
{
    if (tsv) {
        io.out << kChangeNames[int(row.change)] << '\t' << row.kind << '\t' << row.number << '\t'
               << cliTsvField(row.title) << '\t' << row.bytes << '\t' << cliTsvField(row.path) << '\n';
        return;
    }
    io.out << cardPlanChangeText(row.change, mode) << '\t' << cardPlanKindText(row.kind) << '\t'
           << QStringLiteral("%1").arg(row.number, 4, 10, QLatin1Char('0')) << '\t' << cliTsvField(row.title) << '\t'
           << row.bytes << '\n';
}

// The refusal or the folder that went away; true when the plan cannot be trusted.
bool planBroken(CliIo &io, const CardPlan &plan)
{
    if (plan.error.textId == 0)
        return false;
    io.err << "lumivox-cli: " << cardFindingText({plan.error.textId, cliShown(plan.error.name)}) << '\n';
    return true;
}

int exitOf(const CardPlan &plan, bool mismatch)
{
    if (plan.failed())
        return CliError;
    return mismatch ? CliFindings : CliOk;
}

// The temporary files that killed writes left on the card.
void printLeftovers(CliIo &io, const CardPlan &plan)
{
    for (const QString &path : plan.leftovers)
        io.err << "lumivox-cli: " << Lang::text(Txt::CardLeftover).arg(cliShown(path)) << '\n';
}

} // namespace

int runCardDryRun(const QString &image, const QString &card, const CardPlanOptions &options, CliIo &io)
{
    CardWriteRequest request;
    request.image = image;
    request.card = card;
    request.append = options.append;
    request.force = options.force;
    request.volumeProbe = io.volumeProbe;
    CardPlanResult result;
    {
        CliProgressLine line(io);
        result = planCardWrite(request, line.progress());
    }
    // The refusal comes before anything of the card is read.
    if (reportRefusal(io, result.check, image, card, result.entries))
        return CliError;
    if (!result.clear.blocked.isEmpty()) {
        CardJobResult refused;
        refused.status = CardJobResult::Status::NotClearable;
        refused.error = result.clear.blocked;
        refused.reason = result.clear.reason;
        reportJobProblem(io, refused, image, card);
        return CliError;
    }
    const CardPlan &plan = result.plan;
    if (planBroken(io, plan))
        return CliError;
    for (const CardPlanRow &row : plan.rows) {
        if (row.change != CardPlanChange::Same || options.all)
            printRow(io, row, plan.mode, options.tsv);
    }
    printLeftovers(io, plan);
    QTextStream &summary = options.tsv ? io.err : io.out;
    for (const QString &line : cardPlanSummaryLines(plan.summary))
        summary << line << '\n';
    const bool notHandled = reportFindings(io, plan.notHandled);
    return exitOf(plan, plan.hasChanges() || notHandled);
}

int runCardVerify(const QString &image, const QString &card, const CardPlanOptions &options, CliIo &io)
{
    CardVerifyResult result;
    {
        CliProgressLine line(io);
        result = verifyCard(image, card, CardAllCategories, options.exact, line.progress());
    }
    if (reportRefusal(io, result.check, image, card))
        return CliError;
    if (planBroken(io, result.plan))
        return CliError;
    for (const CardPlanRow &row : std::as_const(result.mismatches))
        printRow(io, row, CardPlanMode::Verify, options.tsv);
    printLeftovers(io, result.plan);
    // What neither side can name is never called equal.
    const bool notHandled = reportFindings(io, result.plan.notHandled);
    return exitOf(result.plan, !result.mismatches.isEmpty() || notHandled);
}
