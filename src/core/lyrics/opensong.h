// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QIODevice;
struct LyricSong;
struct LyricMessage;

// Songs in the OpenSong XML format: <song> with <title>, <lyrics> as marked-up text and
// <presentation> as the order.
namespace OpenSong {

// Reads the document: in <lyrics>, "[V1]", "[C]", "[B]" ... start parts, a line starting with
// '.' holds chords and one starting with ';' a comment (both dropped), a line starting with a
// digit belongs to that verse of a part ("1 text" in "[V]" is verse 1), "|" breaks a line and
// "||" or "---" a slide. A document type declaration is refused and entities never resolved.
bool read(QIODevice &device, LyricSong &song, LyricMessage *error = nullptr);

// The song of the text of <lyrics> and <presentation>, appended to song.
void readLyrics(const QString &lyrics, const QString &presentation, LyricSong &song);

} // namespace OpenSong
