// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>

class QAbstractButton;
class QAction;
class QWidget;

// The line icons (alignment, structure, music, speaker, the close cross) are dark grey strokes made for a
// light window; on a dark one they all but vanish. In a dark palette their grey strokes are drawn
// in the palette's window text colour instead, coloured parts (blue boxes, a red cross) staying.
// A light palette keeps them as they are.
namespace LineIcon {

// image with its dark grey pixels in colour, each keeping its transparency; coloured and light
// pixels stay.
QImage recoloured(const QImage &image, const QColor &colour);
// icon as it is in a light palette; in a dark one with its strokes in the window text colour, at
// each size the icon has.
QIcon forPalette(const QIcon &icon, const QPalette &palette);
// Gives button the line icon for its palette, now and again whenever the palette changes (a
// desktop switching to a dark theme while the program runs). A second call replaces the icon.
void setOn(QAbstractButton *button, const QIcon &icon);
// The same for an action, drawn for the palette of shownIn (its toolbar).
void setOn(QAction *action, QWidget *shownIn, const QIcon &icon);

} // namespace LineIcon
