// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A song as a lyric file of another program carries it, before anything is fitted to the board:
// titles, the verse order and the verses with their line blocks. Every reader (OpenLyrics,
// OpenSong, ChordPro, SongBeamer, plain text) fills one; the mapping makes board stanzas of it.

// Lines shown together, as one <lines> or one slide: each block starts a screen.
struct LyricBlock
{
    QStringList lines; // blanks collapsed; an empty line is a blank row
    QString language;  // "en", "he/en" (transliterated); empty: every language
    int repeat = 1;    // how often the lines are sung in a row
};

inline LyricBlock lyricBlock(QStringList lines, QString language = {}, int repeat = 1)
{
    LyricBlock block;
    block.lines = std::move(lines);
    block.language = std::move(language);
    block.repeat = repeat;
    return block;
}

struct LyricVerse
{
    QString name; // "v1", "c", "v1a", ...; may be empty
    QList<LyricBlock> blocks;
};

struct LyricTitle
{
    QString text;
    QString language;
};

struct LyricSongbook
{
    QString name;
    QString entry; // as written: "153", "153c"
};

struct LyricSong
{
    QList<LyricTitle> titles;
    QStringList verseOrder; // verse names in singing order; empty when the file has none
    QList<LyricSongbook> songbooks;
    QList<LyricVerse> verses;
};
