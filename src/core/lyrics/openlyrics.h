// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/lyrics/lyricsong.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;
class Song;
struct LyricMessage;

namespace OpenLyrics {

// Files larger than this are no lyric file.
inline constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;
inline constexpr char kNamespace[] = "http://openlyrics.info/namespace/2009/song";

// Reads an OpenLyrics document. A document type declaration is refused (OpenLyrics has none,
// and with it go entity tricks); external entities are never resolved. Comments and
// instrument parts are dropped; chords keep the syllables they hold; a formatting tag that the
// file's <format> hides keeps nothing, an empty one is a blank between words (a line end when
// it is defined as one); <br/> ends a line. Each block carries its language (lang, and
// translit after a '/') and its repeat count.
bool read(QIODevice &device, LyricSong &song, LyricMessage *error = nullptr);
// read() of a regular file of at most kMaxFileSize bytes.
bool load(const QString &path, LyricSong &song, LyricMessage *error = nullptr);

struct ExportInfo
{
    QString title;
    QString songbook;
    int entry = 0;
    QDateTime modified; // written as modifiedDate
    QString program;    // createdIn / modifiedIn
};

// The OpenLyrics 0.9 document of a board song: stanzas become v1..vN (the refrain is not
// counted) and the refrain c1; every screen that is not blank one <lines> of its trimmed
// lines without the blank rows above and below them (a blank row between lines is written as an
// empty line); the verse order follows the song's sequence. Control characters are left out.
QByteArray toXml(const Song &song, const ExportInfo &info);

} // namespace OpenLyrics
