// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;
class Song;
struct LyricMessage;

// A song as an OpenLyrics file (versions 0.7 to 0.9) carries it, before anything is fitted to
// the board: titles, the verse order and the verses with their line blocks.
struct LyricVerse
{
    QString name;               // "v1", "c", "v1a", ...; may be empty
    QList<QStringList> blocks;  // one per <lines>, its lines with blanks collapsed
};

struct LyricTitle
{
    QString text;
    QString lang;
};

struct LyricSongbook
{
    QString name;
    QString entry;              // as written: "153", "153c"
};

struct LyricSong
{
    QList<LyricTitle> titles;
    QStringList verseOrder;     // the tokens of <verseOrder>; empty when it is missing
    QList<LyricSongbook> songbooks;
    QList<LyricVerse> verses;
};

namespace OpenLyrics {

// Files larger than this are no lyric file.
inline constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;
inline constexpr char kNamespace[] = "http://openlyrics.info/namespace/2009/song";

// Reads an OpenLyrics document. A document type declaration is refused (OpenLyrics has none,
// and with it go entity tricks); external entities are never resolved. Comments and
// instrument parts are dropped, chord and tag elements keep their text, <br/> ends a line.
bool read(QIODevice &device, LyricSong &song, LyricMessage *error = nullptr);
// read() of a regular file of at most kMaxFileSize bytes.
bool load(const QString &path, LyricSong &song, LyricMessage *error = nullptr);

// The title whose lang is lang (compared by its primary tag: "pl" matches "pl-PL"), else the
// first; empty when there is none.
QString preferredTitle(const LyricSong &song, const QString &lang);

struct ExportInfo
{
    QString title;
    QString songbook;
    int entry = 0;
    QDateTime modified;         // written as modifiedDate
    QString program;            // createdIn / modifiedIn
};

// The OpenLyrics 0.9 document of a board song: stanzas become v1..vN (the refrain is not
// counted) and the refrain c1; every screen that is not blank one <lines> of its trimmed
// non-empty lines; the verse order follows the song's sequence.
QByteArray toXml(const Song &song, const ExportInfo &info);

} // namespace OpenLyrics
