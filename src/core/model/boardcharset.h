// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/charsetmode.h"
#include "core/model/song.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The board's own 8-bit character code. One table maps code points U+0000..U+049F to bytes;
// Latin and Cyrillic letters share bytes, so decoding needs the file's mode while encoding does not.
namespace BoardCharset {

inline constexpr int kTableSize = 0x4A0; // 1184 code points
inline constexpr char16_t kNumeroSign = 0x2116;
inline constexpr unsigned char kNumeroByte = 0xB9;

// The table entry of a code point below U+04A0; 0x20 stands for "not in the table".
unsigned char tableEntry(char16_t ch);

// The byte a file stores for a character: the table entry, else the low byte of the code point.
// A character whose byte would be NUL, TAB, LF or CR is stored as a space: those bytes would
// break the line structure of the file.
unsigned char encode(char16_t ch);
QByteArray encode(QStringView text);
// Writes text.size() bytes to out.
void encodeInto(QStringView text, char *out);

// TAB and space bytes give a space, and so do NUL, LF and CR, which no writer stores as text;
// in Cyrillic mode 0xB9 is the numero sign; otherwise the highest code point whose table entry is
// the byte (so Cyrillic letters win in Cyrillic mode), else the byte's own value.
char16_t decode(unsigned char byte, CharsetMode mode);
QString decode(QByteArrayView bytes, CharsetMode mode);
// Decodes in the program's current mode (playlist titles and other text outside a song).
QString decode(QByteArrayView bytes);
// Writes bytes.size() characters to out.
void decodeInto(QByteArrayView bytes, CharsetMode mode, QChar *out);

// True when the character comes back unchanged from the byte a file stores for it in mode: a
// letter of the other script shares its byte with a letter of this one and would come back as that.
bool keeps(char16_t ch, CharsetMode mode);
// The distinct printable characters of text that mode does not keep, in order of appearance, at
// most limit of them (all when limit is negative). Control characters (line ends, tabs) are not counted.
QString foreignCharacters(QStringView text, CharsetMode mode, qsizetype limit = -1);

// The glyph the board shows for a character: like encode() below U+04A0 and for the numero
// sign, but any other character shows as a space.
unsigned char toBoardCode(char16_t ch);

enum class RowAlignment : int { Centre = 10, Left = 11, Right = 12 };

// Trims the row's spaces and places the rest within width characters; an odd surplus in
// centre alignment goes to the right.
QString alignRow(QStringView row, RowAlignment alignment, int width = kLineChars);
// Aligns each of the 10 lines of a screen text (normalised to 200 characters first).
QString alignScreen(const QString &screenText, RowAlignment alignment);

} // namespace BoardCharset
