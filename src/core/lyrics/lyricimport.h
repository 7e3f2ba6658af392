// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/lyrics/lyricmapping.h"
#include "core/lyrics/lyricsong.h"
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
    int nameNumber = 0; // a plain text's number from its name; 0 when none
    QList<LyricSongbook> songbooks;
    LyricNotes notes;
    QString format;   // "OpenLyrics", "OpenSong", "ChordPro", "SongBeamer", "text"
    QString encoding; // the text's encoding, "XML" for an XML document
};

enum class Failure {
    None,
    Unreadable, // no regular file of at most 4 MiB, or a read error
    NotLyrics,  // no lyric file of a format this program reads, or a board song file
    TooBig,     // more than 32 stanzas or 8 screens in a stanza
};

// Reads path as the format its content shows (OpenLyrics, OpenSong, ChordPro, SongBeamer or plain
// text in UTF-8, UTF-16 or an old code page), keeps one language, maps, cleans and lays it out on
// board. lang is the UI language ("pl"); language, when given, the language to import; encoding,
// when given, decodes a text file. Failure::None when the song is ready; otherwise *reason says
// what was wrong with the file.
Failure convert(const QString &path, const Board &board, const QString &lang, Source &source, LyricMessage *reason,
                const QString &language = {}, const QString &encoding = {});

// A title as a song file name can carry it: characters a title may not hold become blanks,
// blanks collapse, and a title over 30 characters is cut at a word.
QString fileTitle(const QString &title);

enum class Outcome { Imported, Present, Refused };

struct FileResult
{
    QString file;
    int number = 0; // the song's number on the card; 0 when none
    QString title;
    Outcome outcome = Outcome::Refused;
    LyricMessage reason; // why it was refused
    LyricNotes notes;
    QString target; // the song file written, or the one that could not be
    Song song;      // the song written, its path the target (Imported)
    QString format; // as Source has them
    QString encoding;
};

struct Request
{
    QString card;
    QString group;    // an existing group folder of the card
    QString songbook; // whose entries give the numbers; empty: the first free numbers
    Board board;
    QString lang;
    QString language; // the language to import from files holding several; empty: lang's
    QString encoding; // the encoding of text files; empty: guessed
};

// Imports files into the group. Every file is read first, and the entries the batch claims (the
// named songbook's entry, "153c" is 153, an OpenSong hymn number, or a text file's number in its
// name, 1..4999 and free on the card) are reserved (BatchNumbers): a song keeps its entry unless
// an earlier file of the batch claimed it, and a song that cannot keep it takes the lowest number
// free on the card that no file claims (notes.movedFrom names the entry). A song whose title (any case) and content a card song or an
// earlier file of the batch has is not written (Present). Nothing is ever replaced: a name that appears meanwhile takes the
// next free number. False, with *error, when the card or the group does not exist.
bool importFiles(const QStringList &files, const Request &request, QList<FileResult> &results,
                 const Progress &progress = {}, const std::function<void(const FileResult &)> &onResult = {},
                 LyricMessage *error = nullptr);

// What a batch of files holds that the user may choose among before an import.
struct BatchFacts
{
    QStringList songbooks;  // the songbooks the files name, each once, in order of appearance
    QStringList languages;  // the languages of files holding several
    bool textFiles = false; // a file is text, whose encoding may have to be named
};
BatchFacts batchFacts(const QStringList &files);

} // namespace LyricImport
