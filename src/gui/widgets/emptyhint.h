// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAbstractScrollArea;
class QString;

// Paints, in the viewport of an item view with nothing in it to work on, one short text that says
// how to fill it: wrapped to the view's width, in the disabled text colour, below top pixels.
// Call from the view's paintEvent after the view has painted.
void paintEmptyHint(QAbstractScrollArea *view, const QString &text, int top = 0);
