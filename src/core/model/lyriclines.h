// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Lyric text cut into board lines and arranged into blocks of ten lines, one block a screen:
// the editor's paste and the plain-text lyric reader share these rules.
namespace LyricLines {

inline constexpr int kLineWidth = 20;
inline constexpr int kBlockLines = 10;
inline constexpr int kMaxBlocks = 256;
inline constexpr int kMaxLines = kMaxBlocks * kBlockLines;

// One paragraph (no line breaks) cut into lines of at most width characters: a line breaks at
// its last blank that leaves at most width characters before it; a word longer than a line is
// cut into pieces. A blank at the very end gives an empty last line (the typist's next word).
QStringList wrapParagraph(QStringView paragraph, int width = kLineWidth);

// Clipboard text into lines: CR LF, LF and CR end lines; tabs and other control characters
// become blanks; trailing blanks are dropped; each line is then wrapped.
QStringList wrapText(QStringView text, int width = kLineWidth);

// The pre-arrangement pass over the first kMaxLines lines: a line starting with a digit
// (a numbered stanza) moves to the start of the next block, a line breaks in front of an
// asterisk after its first character, empty lines at a block start are dropped, and an empty
// line after text fills the rest of its block. A text of one line is left as it is.
QStringList arrangeLines(const QStringList &lines);

} // namespace LyricLines
