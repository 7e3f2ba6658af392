// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/lyrics/lyricsong.h"

#include <QByteArray>
#include <QString>

struct LyricMessage;

// A lyric file of any format this program reads, recognised by its content, not its name.
namespace LyricFile {

enum class Format { OpenLyrics, OpenSong, ChordPro, SongBeamer, PlainText };

// "OpenLyrics", "OpenSong", "ChordPro", "SongBeamer", "text": a stable word for scripts.
QString formatWord(Format format);

struct Contents
{
    LyricSong song;
    Format format = Format::PlainText;
    QString encoding;   // the text's encoding; "XML" when the document says it
    int nameNumber = 0; // a text file's number from its name ("153 Barka.txt"); 0 when none
    QString nameTitle;  // the title the file name gives
};

// Reads bytes (the file's, named by path) as the format their content shows. encoding, when
// given, decodes a text file. False, with the reason, for a file that is no lyric file.
bool read(const QByteArray &bytes, const QString &path, const QString &encoding, Contents &contents,
          LyricMessage *reason);

} // namespace LyricFile
