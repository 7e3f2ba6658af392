// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct LyricMessage;

// The text of a lyric file in whatever encoding a parish's computer wrote it: UTF-8 (with or
// without a byte order mark), UTF-16 with one, else the most likely of the old code pages of
// Central and Eastern Europe, decoded with the C library's iconv.
namespace TextDecoding {

// The code pages tried when the bytes are no UTF-8, in order of preference on a tie.
QStringList guessedEncodings();

// Whether iconv knows the encoding name ("windows-1250", "ISO-8859-2", "KOI8-R", ...).
bool isKnown(const QString &encoding);

// Decodes bytes: with encoding given, in it (UTF-8 and UTF-16 by their byte order mark still
// win); else as above. *used names the encoding. Refuses an RTF document and binary bytes
// (not-plain-text), and bytes that are not valid in the given encoding (bad-encoding).
bool decode(const QByteArray &bytes, const QString &encoding, QString *text, QString *used, LyricMessage *error);

} // namespace TextDecoding
