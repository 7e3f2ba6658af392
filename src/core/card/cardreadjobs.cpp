// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardreadjobs.h"

CardPlanResult planCardWrite(const CardWriteRequest &request, const Progress &progress)
{
    CardPlanResult result;
    result.check = checkCardWrite(request.image, request.card,
                                  request.append ? CardWriteKind::Append : CardWriteKind::Write, request.force);
    if (result.check == CardWriteCheck::ForeignEntries)
        result.entries = foreignCardEntries(request.card);
    if (result.check != CardWriteCheck::Ok)
        return result;
    if (!request.append) {
        result.clear = checkClear(request.card);
        if (!result.clear.blocked.isEmpty())
            return result;
    }
    result.plan = planCardCopy(request.image, request.card, request.append ? CardPlanMode::Append : CardPlanMode::Write,
                               request.append ? request.categories : int(CardAllCategories), progress,
                               request.volumeProbe);
    return result;
}

CardVerifyResult verifyCard(const QString &image, const QString &card, int categories, bool exact,
                            const Progress &progress)
{
    CardVerifyResult result;
    // Reading needs no write access to the card.
    result.check = checkCardWrite(image, card, CardWriteKind::Append);
    if (result.check == CardWriteCheck::ReadOnly)
        result.check = CardWriteCheck::Ok;
    if (result.check != CardWriteCheck::Ok)
        return result;
    result.plan = planCardCopy(image, card, CardPlanMode::Verify, categories, progress);
    for (const CardPlanRow &row : std::as_const(result.plan.rows)) {
        if (row.change != CardPlanChange::Same && (row.change != CardPlanChange::Extra || exact))
            result.mismatches.append(row);
    }
    if (exact) {
        for (const QString &path : std::as_const(result.plan.leftovers))
            result.mismatches.append({CardPlanChange::Extra, CardPlanRow::Other, 0, path.section(u'/', -1), 0, path});
    }
    return result;
}
