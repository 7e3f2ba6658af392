// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/charsetmode.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// Lyric text from outside made into text the board shows: typographic punctuation becomes its
// plain form, and a letter the board's code cannot keep becomes its unmarked base letter or a blank.
namespace BoardText {

// Typographic quotes, dashes and the ellipsis in plain form; odd spaces (no-break, thin, ...) as
// blanks; soft hyphens, zero-width and control characters dropped.
QString plainPunctuation(QStringView text);

// text without control characters (C0, DEL, C1): they have no place on the board, in a file name
// or in an XML document.
QString withoutControls(QStringView text);

// Cyrillic when Cyrillic letters outnumber the Latin letters beyond ASCII.
CharsetMode charsetFor(const QStringList &lines);

// Every character that does not come back from the board's code in mode becomes its base letter
// (é to e) when that one does, else a blank; *replaced counts them.
QString fitToCharset(QStringView text, CharsetMode mode, int *replaced);
// fitToCharset for a text of several lines: line ends, tabs and other control characters stay.
QString fitKeepingControls(QStringView text, CharsetMode mode, int *replaced);

} // namespace BoardText
