// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

// The program's fixed colours (number maps, playlist cells, issue bands, timing bar) are made for
// a light window. On a dark desktop theme each has a dark equivalent of the same hue, and text
// drawn on it turns light, so that every text stays readable. A light palette keeps them as they are.
namespace ThemeColours {

// Whether the palette's window background is dark.
bool isDark(const QPalette &palette);
// A light background colour as it is, or its dark equivalent in a dark palette.
QColor background(const QColor &light, const QPalette &palette);
// A dark text or line colour drawn on the window as it is, or a light one of the same hue.
QColor foreground(const QColor &dark, const QPalette &palette);
// Black or white, whichever reads better on background.
QColor textOn(const QColor &background);
// A dark palette for the Fusion style: what a desktop's dark theme gives, for the previews and
// the checks of the dark look.
QPalette darkPalette();
// The contrast ratio of two colours (1 to 21), as accessibility guidelines measure it.
double contrast(const QColor &a, const QColor &b);

} // namespace ThemeColours
