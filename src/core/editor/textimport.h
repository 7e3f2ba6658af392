// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class Song;

// Turning a pasted lyric text into board screens: the text is cut into lines no wider than a
// board line, arranged into blocks of ten lines (one block = one screen), and the blocks are
// placed into a song as new stanzas or as further screens of the stanza before.
namespace TextImport {

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

// What an import takes: the first kMaxLines lines, each cut or padded to kLineWidth, without
// the trailing lines that are all blanks.
QStringList resultLines(const QStringList &lines);

// Blocks of ten lines that hold the text, trailing blank lines not counted.
int blockCount(const QStringList &lines);

struct Outcome
{
    int placed = 0; // blocks that became screens of the song
    int total = 0;  // blocks the text holds, also those past kMaxLines
    // Characters of the placed text that the song's charset cannot keep (a Cyrillic letter in a
    // Latin song): each distinct one once, in order of appearance, at most kMaxForeign.
    QString foreign;
    static constexpr int kMaxForeign = 20;
    bool complete() const { return placed == total; }
};

// Places the blocks of lines into song after its current stanza, each line centred. A block
// whose continuation flag is set (continuation[b], missing flags are false) becomes a further
// screen of the stanza before; any other starts a new stanza, except that the first block
// fills the current stanza when that is a single blank screen. The import stops at the first
// block that does not fit (32 stanzas, 8 screens). When anything was placed the song gets the
// default sequence and the cursor goes to its first screen.
Outcome importLines(Song &song, const QStringList &lines, const QList<bool> &continuation);

} // namespace TextImport
