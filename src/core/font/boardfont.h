// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/charsetmode.h"

#include <QIODevice>
#include <QString>

#include <array>

// One character of a board font: five columns of eight dots, K1 the leftmost column,
// bit 7 of a column the top row.
struct Glyph
{
    static constexpr int kColumns = 5;
    static constexpr int kRows = 8;
    static constexpr int kMaxCommentLength = 127;

    std::array<quint8, kColumns> columns{}; // columns[0] is K1, columns[4] is K5
    QString comment;

    quint8 k(int n) const { return columns[n - 1]; } // n = 1..5
    void setK(int n, quint8 value) { columns[n - 1] = value; }
    bool dot(int column, int row) const { return columns[column] & (0x80 >> row); }
    void setDot(int column, int row, bool lit);
    bool isBlank() const;

    friend bool operator==(const Glyph &, const Glyph &) = default;
};

// A board font: a name (its file's title) and exactly 256 glyphs indexed by board code.
struct BoardFont
{
    static constexpr int kGlyphCount = 256;

    QString name;
    std::array<Glyph, kGlyphCount> glyphs{};

    // False for an empty font: every column of every glyph zero.
    bool hasDots() const;
    friend bool operator==(const BoardFont &, const BoardFont &) = default;
};

// ".fnt" text: three header lines, then 256 lines "0x41\t|\t0xK5\t0xK4\t0xK3\t0xK2\t0xK1\t#comment".
namespace FontFile {

// Reads glyph lines in order of appearance (the index written in a line is not read);
// lines that do not begin with "0" are skipped. True only when 256 glyphs were read;
// a shorter file leaves the glyphs it did not reach as they were. glyphsRead gets how many
// were read (0 when the device could not be read at all).
bool read(QIODevice &device, BoardFont &font, QString *error = nullptr, int *glyphsRead = nullptr);
// The name from the file name, then read().
bool load(const QString &path, BoardFont &font, QString *error = nullptr, int *glyphsRead = nullptr);
QByteArray toBytes(const BoardFont &font);
bool write(QIODevice &device, const BoardFont &font, QString *error = nullptr);
// Atomic: a failed save leaves the previous file as it was.
bool save(const QString &path, const BoardFont &font, QString *error = nullptr);

// The glyph-line test shared with the exports.
bool isGlyphLine(QStringView line);

} // namespace FontFile

// value in upper-case hex, zero-padded to at least width digits ("%.2X" style).
QByteArray upperHex(uint value, int width);

// A font's file name without ".fnt".
QString fontNameFromFile(const QString &fileName);

// The board charset a font is drawn for: Cyrillic for "Font_V2", Latin for every other font.
CharsetMode fontCharsetMode(const QString &fontName);
// The character the board shows for a glyph code, as one character; empty for a control code
// (0x00-0x1F, 0x7F and what decodes to U+0080-U+009F).
QString glyphCharacter(int code, CharsetMode mode);
