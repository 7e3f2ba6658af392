// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardplan.h"
#include "core/card/cardwritecheck.h"
#include "core/card/cardwritejob.h"

// The card jobs that only read: the plan of a write or append (the dry run, the wizard's plan
// page) and the read-back of a card against the image. They take no lock and change nothing.

struct CardPlanResult
{
    CardWriteCheck check = CardWriteCheck::Ok; // not Ok: refused before anything was read
    QStringList entries;                       // ForeignEntries: what a card never holds
    ClearCheck clear;                          // a write: what its clear could not remove
    CardPlan plan;
};
// The refusal writeCard would give for request (a write's clear included), else the plan of it.
CardPlanResult planCardWrite(const CardWriteRequest &request, const Progress &progress = {});

struct CardVerifyResult
{
    CardWriteCheck check = CardWriteCheck::Ok;
    CardPlan plan;
    QList<CardPlanRow> mismatches; // rows where the card does not hold the image

    // A card or image holding names neither side can name is never the other's equal.
    bool equal() const
    {
        return check == CardWriteCheck::Ok && !plan.failed() && mismatches.isEmpty() && plan.notHandled.isEmpty();
    }
};
// Reads the card back from the device and compares it with the image, limited to categories.
// Without exact a file only on the card is no mismatch (an append keeps it); with exact it is,
// and so is a leftover temporary file (after a write the card holds the image and nothing else).
CardVerifyResult verifyCard(const QString &image, const QString &card, int categories, bool exact,
                            const Progress &progress = {});
