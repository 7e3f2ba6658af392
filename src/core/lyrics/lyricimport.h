// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/lyrics/lyricmapping.h"
#include "core/lyrics/openlyrics.h"
#include "core/model/song.h"

#include "core/util/progress.h"

#include <QString>
#include <QStringList>

#include <functional>

// Lyric files from other song programs (OpenLyrics .xml, plain .txt) made into board songs.
namespace LyricImport {

struct Board
{
    int width = kLineChars;
    int height = kScreenLines;
};

// A file made ready for the board: the song's stanzas, refrain, sequence and charset (number,
// title and path are the caller's), what it says about its numbers, and what was changed.
struct Source
{
    Song song;
    QString title;
    int nameNumber = 0;                // a plain text's number from its name; 0 when none
    QList<LyricSongbook> songbooks;
    LyricNotes notes;
};

enum class Failure {
    None,
    Unreadable,    // no regular file of at most 4 MiB, or a read error
    NotLyrics,     // neither OpenLyrics nor UTF text, or a board song file
    TooBig,        // more than 32 stanzas or 8 screens in a stanza
};

// Reads path (".xml" as OpenLyrics, ".txt" as plain text), maps, cleans and lays it out on
// board. lang is the UI language ("pl") that chooses among titles. Failure::None when the song
// is ready; otherwise *reason says what was wrong with the file.
Failure convert(const QString &path, const Board &board, const QString &lang, Source &source, LyricMessage *reason);

// A title as a song file name can carry it: characters a title may not hold become blanks,
// blanks collapse, and a title over 30 characters is cut at a word.
QString fileTitle(const QString &title);

enum class Outcome { Imported, Present, Refused };

struct FileResult
{
    QString file;
    int number = 0;          // the song's number on the card; 0 when none
    QString title;
    Outcome outcome = Outcome::Refused;
    LyricMessage reason;     // why it was refused
    LyricNotes notes;
    QString target;          // the song file written, or the one that could not be
    Song song;               // the song written, its path the target (Imported)
};

struct Request
{
    QString card;
    QString group;           // an existing group folder of the card
    QString songbook;        // whose entries give the numbers; empty: the first free numbers
    Board board;
    QString lang;
};

// Imports files into the group, one after the other. A song gets its songbook entry ("153c" is
// 153) as number when that is 1..4999 and free on the card and in this batch, else the first
// free one. A song whose title (any case) and content a card song has is not written
// (Present). Nothing is ever replaced: a name that appears meanwhile takes the next free
// number. False, with *error, when the card or the group does not exist.
bool importFiles(const QStringList &files, const Request &request, QList<FileResult> &results,
                 const Progress &progress = {}, const std::function<void(const FileResult &)> &onResult = {},
                 LyricMessage *error = nullptr);

// The songbook names the files name, each once, in order of appearance.
QStringList songbookNames(const QStringList &files);


} // namespace LyricImport
