// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/carddatafile.h"
#include "core/card/cardfinding.h"

#include <QString>

// The card operations name their findings by language text id; these give the texts to show,
// in the loaded language.

// The text of a finding: its "%1" filled with the name, or the name after the text.
QString cardFindingText(const CardFinding &finding);
// Why an unpacking failed; empty for Ok and Stopped.
QString cardUnpackText(const CardUnpackResult &result);
