// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/carddatafile.h"
#include "core/card/cardfinding.h"
#include "core/card/cardjob.h"
#include "core/card/cardplan.h"

#include <QString>
#include <QStringList>

// The card operations name their findings by language text id; these give the texts to show,
// in the loaded language.

// The text of a finding: its "%1" filled with the name, or the name after the text.
QString cardFindingText(const CardFinding &finding);
// Why a card job stopped short of its work (refused, busy, short of space, a clear that could not
// or did not run, a failed backup); image and card as checkCardWrite() takes them. Empty for a
// job that finished or was stopped.
QString cardJobProblemText(const CardJobResult &result, const QString &image, const QString &card);
// Why an unpacking failed; empty for Ok and Stopped.
QString cardUnpackText(const CardUnpackResult &result);

// A plan row's change ("nowy", "usunięty (nadmiarowy)", ...) and kind ("Utwór", ..., "Inny plik").
QString cardPlanChangeText(CardPlanChange change, CardPlanMode mode);
QString cardPlanKindText(int kind);
// The counts, bytes and space of a plan, sizes in the locale's units; a second line names a
// shortfall.
QStringList cardPlanSummaryLines(const CardPlanSummary &summary);
