// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/library/lyricmapping.h"
#include "core/library/openlyrics.h"
#include "core/model/song.h"

#include <QString>

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

// Reads path (a regular file of at most 4 MiB; ".xml" as OpenLyrics, ".txt" as plain text),
// maps, cleans and lays it out on board. lang is the UI language ("pl") that chooses among
// titles. False with a reason when the file is unreadable, no lyric file, or does not fit.
bool convert(const QString &path, const Board &board, const QString &lang, Source &source, QString *reason);

// The language tag of a program language name ("Polski" is "pl"); empty when unknown.
QString languageTag(const QString &languageName);

} // namespace LyricImport
