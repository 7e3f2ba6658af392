// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/font/boardfont.h"

#include "core/model/boardcharset.h"
#include "core/model/linereader.h"
#include "core/util/atomicsave.h"
#include "core/util/deviceio.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

void Glyph::setDot(int column, int row, bool lit)
{
    const quint8 bit = quint8(0x80 >> row);
    columns[column] = lit ? quint8(columns[column] | bit) : quint8(columns[column] & ~bit);
}

bool Glyph::isBlank() const
{
    return std::all_of(columns.begin(), columns.end(), [](quint8 c) { return c == 0; });
}

bool BoardFont::hasDots() const
{
    return std::any_of(glyphs.begin(), glyphs.end(), [](const Glyph &g) { return !g.isBlank(); });
}

QByteArray upperHex(uint value, int width)
{
    return QByteArray::number(value, 16).toUpper().rightJustified(width, '0');
}

QString fontNameFromFile(const QString &fileName)
{
    const QString base = QFileInfo(fileName).fileName();
    return base.endsWith(u".fnt") ? base.chopped(4) : base;
}

CharsetMode fontCharsetMode(const QString &fontName)
{
    return fontName == u"Font_V2" ? CharsetMode::Cyrillic : CharsetMode::Latin;
}

QString glyphCharacter(int code, CharsetMode mode)
{
    if (code < 0x20 || code == 0x7F || code > 0xFF)
        return {};
    const char16_t c = BoardCharset::decode(static_cast<unsigned char>(code), mode);
    if (c >= 0x80 && c <= 0x9F)
        return {};
    return QString(QChar(c));
}

namespace FontFile {
namespace {

// Positions of K5..K1 in a glyph line, and where the comment starts.
constexpr int kFieldStart[Glyph::kColumns] = {9, 14, 19, 24, 29};
constexpr int kCommentStart = 33;

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// The value of the leading hex digits of the two characters at pos (0 when there are none).
quint8 fieldValue(QStringView line, int pos)
{
    int value = 0;
    for (int i = pos; i < pos + 2 && i < line.size(); ++i) {
        const int digit = hexDigit(line[i]);
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return quint8(value);
}

// The comment as it can be stored: within its limit, without half a surrogate pair at either
// end (a line's comment column can split one), control characters (a tab would shift the
// fields, a CR end the line) as spaces.
QString sanitisedComment(QStringView comment)
{
    if (!comment.isEmpty() && comment.front().isLowSurrogate())
        comment = comment.mid(1);
    QString clean = comment.left(Glyph::kMaxCommentLength).toString();
    if (!clean.isEmpty() && clean.back().isHighSurrogate())
        clean.chop(1);
    for (QChar &c : clean) {
        if (c.unicode() < 0x20)
            c = u' ';
    }
    return clean;
}

} // namespace

bool isGlyphLine(QStringView line)
{
    return !line.isEmpty() && line.front() == u'0';
}

bool read(QIODevice &device, BoardFont &font, QString *error, int *glyphsRead)
{
    if (glyphsRead)
        *glyphsRead = 0;
    if (!checkReadable(device, error))
        return false;
    int count = 0;
    LineReader reader(device);
    QByteArrayView bytes;
    while (count < BoardFont::kGlyphCount && reader.next(bytes)) {
        const QString line = QString::fromUtf8(bytes);
        if (!isGlyphLine(line))
            continue;
        Glyph &glyph = font.glyphs[count++];
        for (int f = 0; f < Glyph::kColumns; ++f)
            glyph.setK(Glyph::kColumns - f, fieldValue(line, kFieldStart[f]));
        // As the writer stores it, so that a font read and written reads back the same.
        glyph.comment = sanitisedComment(QStringView(line).mid(kCommentStart));
    }
    if (glyphsRead)
        *glyphsRead = count;
    if (count == BoardFont::kGlyphCount)
        return true;
    if (error)
        *error = QStringLiteral("The font holds %1 of its %2 glyph lines").arg(count).arg(BoardFont::kGlyphCount);
    return false;
}

bool load(const QString &path, BoardFont &font, QString *error, int *glyphsRead)
{
    if (glyphsRead)
        *glyphsRead = 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    font.name = fontNameFromFile(path);
    return read(file, font, error, glyphsRead);
}

QByteArray toBytes(const BoardFont &font)
{
    QByteArray out = "#\r\n#Nr\t|\tK5\tK4\tK3\tK2\tK1\t#komentarz\r\n#\r\n";
    out.reserve(out.size() + BoardFont::kGlyphCount * 48);
    for (int i = 0; i < BoardFont::kGlyphCount; ++i) {
        const Glyph &g = font.glyphs[i];
        out += "0x" + upperHex(uint(i), 2) + "\t|";
        for (int k = Glyph::kColumns; k >= 1; --k)
            out += "\t0x" + upperHex(g.k(k), 2);
        out += "\t#";
        out += sanitisedComment(g.comment).toUtf8();
        out += "\r\n";
    }
    return out;
}

bool write(QIODevice &device, const BoardFont &font, QString *error)
{
    return writeAll(device, toBytes(font), error);
}

bool save(const QString &path, const BoardFont &font, QString *error)
{
    return saveFileAtomically(path, toBytes(font), error);
}

} // namespace FontFile
