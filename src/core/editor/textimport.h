// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/lyriclines.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class Song;

// Turning a pasted lyric text into board screens: the text is cut into lines no wider than a
// board line and arranged into blocks of ten lines (one block = one screen) as LyricLines does,
// and the blocks are placed into a song as new stanzas or as further screens of the stanza before.
namespace TextImport {

using LyricLines::arrangeLines;
using LyricLines::kBlockLines;
using LyricLines::kLineWidth;
using LyricLines::kMaxBlocks;
using LyricLines::kMaxLines;
using LyricLines::wrapParagraph;
using LyricLines::wrapText;

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
