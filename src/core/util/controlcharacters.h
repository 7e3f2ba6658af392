// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Names from a card may hold control characters (ESC, BEL, a line feed); documents show each
// as U+FFFD instead of handing it to a reader raw.
namespace ControlCharacters {

// C0 controls, DEL and the C1 controls.
bool isControl(QChar c);
// text with every control character replaced by U+FFFD.
QString replaced(QString text);

} // namespace ControlCharacters
