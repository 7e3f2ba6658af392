// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The board's two character sets. The current one (set at start-up from the language)
// is used for new songs and for playlist titles.
enum class CharsetMode : int { Latin = 0, Cyrillic = 1 };

CharsetMode currentCharsetMode();
void setCurrentCharsetMode(CharsetMode mode);
