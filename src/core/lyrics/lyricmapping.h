// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/lyrics/lyricmessage.h"

#include <QList>
#include <QString>
#include <QStringList>

struct LyricSong;

// What an import changed or guessed, reported beside its result.
struct LyricNotes
{
    QStringList stanzasFromOtherParts; // verse names that became ordinary stanzas (bridge, second chorus, ...)
    QStringList droppedOrderTokens;    // verse order tokens naming no verse
    bool documentOrder = false;        // no usable verse order: the stanzas are sung as they stand
    int replacedCharacters = 0;        // characters the board cannot show, replaced
    int cutWords = 0;                  // words longer than a board line, cut
    QStringList languagesLeftOut;      // languages of the file not imported
    QStringList repeatsDropped;        // stanzas (1-based) whose repeated lines did not fit: sung once
    int movedFrom = 0;                 // the songbook entry the song could not take (its number is another)
    bool sameTitle = false;            // a card song has the same title
    // The notes as messages, in this order; empty when there is nothing to say.
    QList<LyricMessage> messages() const;
};

// A song's stanzas before they meet the board: each stanza its blocks of source lines (one block
// per <lines>), the refrain's 1-based position (0: none) and the sequence as the song file holds it.
// repeats[s][b], where given, says how often block b of stanza s is sung in a row.
struct LyricPlan
{
    QList<QList<QStringList>> stanzas;
    QList<QList<int>> repeats;
    int refrain = 0;
    QList<int> sequence;
    int repeatOf(qsizetype stanza, qsizetype block) const { return repeats.value(stanza).value(block, 1); }
};

namespace LyricMapping {

// The first chorus becomes the refrain; verses, further choruses and every other part become
// stanzas in document order, parts of one verse ("v1a", "v1b") one stanza. The verse order
// turns into the sequence: a token without number names the first verse of its type ("c" is
// "c1"), a part token its merged stanza, repeats in a row collapse, tokens naming nothing are
// dropped. Without a usable verse order one chorus and two or more verses alternate
// (1, r, 2, r, ...); otherwise the stanzas follow the document. Reading stops at the 33rd
// stanza: the layout refuses the song then.
LyricPlan map(const LyricSong &song, LyricNotes &notes);

} // namespace LyricMapping
