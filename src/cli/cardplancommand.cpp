// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cardplancommand.h"

#include "cli/cardcli.h"
#include "cli/clisupport.h"
#include "core/app/cardmessages.h"
#include "core/card/cardplan.h"
#include "core/card/cardwritecheck.h"

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

} // namespace

int runCardDryRun(const QString &image, const QString &card, const CardPlanOptions &options, CliIo &io)
{
    // The refusal comes before anything of the card is read.
    const CardWriteCheck check =
        checkCardWrite(image, card, options.append ? CardWriteKind::Append : CardWriteKind::Write, options.force);
    if (reportRefusal(io, check, image, card))
        return CliError;
    const CardPlanMode mode = options.append ? CardPlanMode::Append : CardPlanMode::Write;
    CardPlan plan;
    {
        CliProgressLine line(io);
        plan = planCardCopy(image, card, mode, CardAllCategories, line.progress());
    }
    if (planBroken(io, plan))
        return CliError;
    for (const CardPlanRow &row : std::as_const(plan.rows)) {
        if (row.change != CardPlanChange::Same || options.all)
            printRow(io, row, mode, options.tsv);
    }
    QTextStream &summary = options.tsv ? io.err : io.out;
    for (const QString &line : cardPlanSummaryLines(plan.summary))
        summary << line << '\n';
    const bool notHandled = reportFindings(io, plan.notHandled);
    return exitOf(plan, plan.hasChanges() || notHandled);
}

int runCardVerify(const QString &image, const QString &card, const CardPlanOptions &options, CliIo &io)
{
    // Reading needs no write access to the card.
    const CardWriteCheck check = checkCardWrite(image, card, CardWriteKind::Append);
    if (check != CardWriteCheck::ReadOnly && reportRefusal(io, check, image, card))
        return CliError;
    CardPlan plan;
    {
        CliProgressLine line(io);
        plan = planCardCopy(image, card, CardPlanMode::Verify, CardAllCategories, line.progress());
    }
    if (planBroken(io, plan))
        return CliError;
    bool mismatch = false;
    for (const CardPlanRow &row : std::as_const(plan.rows)) {
        if (row.change == CardPlanChange::Same || (row.change == CardPlanChange::Extra && !options.exact))
            continue;
        mismatch = true;
        printRow(io, row, CardPlanMode::Verify, options.tsv);
    }
    // What neither side can name is never called equal.
    mismatch = reportFindings(io, plan.notHandled) || mismatch;
    return exitOf(plan, mismatch);
}
