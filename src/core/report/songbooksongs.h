// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class SongLibrary;
class Song;

// The songs a songbook holds, whatever it is written as (RTF or PDF): the owners of the song
// number table in ascending order. Songs outside 1..4999, later files whose number was taken
// before them, and files that cannot be read when the songbook is written are left out.
struct SongbookEntry
{
    QString name; // "0007 Kyrie"
    QString path;
};

struct SongbookSongs
{
    QList<SongbookEntry> entries;
    int notInTable = 0; // scanned songs the number table does not hold
};

// One stanza as a songbook prints it: a label ("1.", "Ref.") and its text lines, or the label
// alone where the song repeats a stanza already printed.
struct SongbookStanza
{
    QString label;
    QStringList lines;
    bool repeat = false;

    bool operator==(const SongbookStanza &) const = default;
};

namespace Songbook {

SongbookSongs songs(const SongLibrary &library);
// Reads an entry as it is on the card: a songbook never rewrites a song.
bool loadSong(const SongbookEntry &entry, Song &song);

// The stanzas in sung order: the sequence is walked, a stanza's first occurrence gives its
// lines, a later one its label alone; stanzas the sequence never names follow in file order,
// and an empty sequence means file order. Ordinary stanzas are numbered by their place among
// the ordinary ones, the refrain is labelled refrainLabel. Lines are trimmed, empty lines
// skipped, control characters shown as U+FFFD, a stanza's screens run on; a stanza without
// text is not printed at all.
QList<SongbookStanza> sungStanzas(const Song &song, const QString &refrainLabel);

} // namespace Songbook
