// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the shipped board fonts Font_V1.fnt (Latin) and Font_V2.fnt (Cyrillic) from the
// public-domain X11 "misc-fixed" 5x8 font in BDF form:
//   pcf2bdf -o 5x8.bdf /usr/share/fonts/X11/misc/5x8.pcf.gz
//   lumivox-make-board-fonts 5x8.bdf data/Font
// Each board code gets the glyph of the character the board shows for it in that font's
// character set; the comment of a glyph line names the character. misc-fixed draws most
// accented capitals five rows high under their accent; the few it draws without accent are
// redrawn that way (legibleCapital).
#include "common/toolarguments.h"
#include "core/font/boardfont.h"
#include "core/model/boardcharset.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QTextStream>

#include <cstdio>

namespace {

using Bitmap = std::array<quint8, 8>; // 8 rows, bit 7 the leftmost of 5 columns

// Reads the glyphs of a 5x8 BDF font by code point, placed in an 8-row cell whose baseline
// is the 7th row.
QHash<char32_t, Bitmap> readBdf(const QString &path, QString *error)
{
    QHash<char32_t, Bitmap> glyphs;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = u"cannot open " + path;
        return glyphs;
    }
    constexpr int kAscent = 7;
    char32_t encoding = 0;
    int width = 0, height = 0, xOffset = 0, yOffset = 0;
    int row = -1;
    Bitmap bitmap{};
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith("ENCODING ")) {
            encoding = char32_t(line.mid(9).toUInt());
        } else if (line.startsWith("BBX ")) {
            const QList<QByteArray> f = line.split(' ');
            width = f.value(1).toInt();
            height = f.value(2).toInt();
            xOffset = f.value(3).toInt();
            yOffset = f.value(4).toInt();
        } else if (line == "BITMAP") {
            row = 0;
            bitmap.fill(0);
        } else if (line == "ENDCHAR") {
            glyphs.insert(encoding, bitmap);
            row = -1;
        } else if (row >= 0) {
            const int y = kAscent - (yOffset + height) + row;
            const uint bits = line.left(2).toUInt(nullptr, 16);
            if (y >= 0 && y < 8 && width > 0)
                bitmap[y] = quint8((bits >> qMax(0, xOffset)) & 0xF8);
            ++row;
        }
    }
    return glyphs;
}

Glyph toGlyph(const Bitmap &bitmap)
{
    Glyph glyph;
    for (int column = 0; column < Glyph::kColumns; ++column)
        for (int row = 0; row < Glyph::kRows; ++row)
            glyph.setDot(column, row, bitmap[row] & (0x80 >> column));
    return glyph;
}

// misc-fixed leaves the accent off some capitals at this size (Ё, Ї): the letter fills rows
// 1..6 and the accent has no room. Such a capital is redrawn with the accent of its lower-case
// form on top, a free row under a one-row accent, and the letter squeezed into rows 2..6 by
// dropping one of two equal rows (or its middle row).
Bitmap legibleCapital(char16_t ch, const QHash<char32_t, Bitmap> &source, QTextStream &log)
{
    const Bitmap own = source.value(ch);
    const QChar letter(ch);
    if (!letter.isUpper() || letter.decompositionTag() != QChar::Canonical)
        return own;
    const char16_t base = letter.decomposition().at(0).unicode();
    const char16_t lower = letter.toLower().unicode();
    const char16_t lowerBase = QChar(base).toLower().unicode();
    if (!source.contains(base) || source.value(base) != own || !source.contains(lower) || !source.contains(lowerBase))
        return own;
    QList<quint8> accent;
    for (int row = 0; row < 3; ++row) {
        if (source.value(lower)[row] != source.value(lowerBase)[row])
            accent << source.value(lower)[row];
    }
    if (accent.isEmpty() || accent.size() > 2)
        return own;
    QList<quint8> body(own.begin() + 1, own.begin() + 7); // rows 1..6
    qsizetype drop = body.size() / 2;
    for (qsizetype i = 1; i + 1 < body.size(); ++i) {
        if (body[i] == body[i + 1]) {
            drop = i;
            break;
        }
    }
    body.removeAt(drop);
    Bitmap out{};
    for (int i = 0; i < accent.size(); ++i)
        out[i] = accent[i];
    for (int i = 0; i < 5; ++i)
        out[2 + i] = body[i];
    out[7] = own[7];
    log << "  redrew " << QString(letter) << " with its accent\n";
    return out;
}

QString describe(char16_t ch)
{
    if (ch == u' ')
        return QStringLiteral("space");
    return QString(QChar(ch)) + QStringLiteral(" U+") + QString::number(uint(ch), 16).toUpper().rightJustified(4, u'0');
}

// The character a board code stands for in a font of the given mode, or 0 for none: ASCII;
// in Cyrillic the letters of the board table and the numero sign; in Latin the letters of the
// board table, and the Latin-1 character of that code where no table letter takes it.
char16_t characterFor(int code, CharsetMode mode)
{
    if (code < 0x20 || code == 0x7F)
        return 0;
    if (code < 0x7F)
        return char16_t(code);
    const bool cyrillic = mode == CharsetMode::Cyrillic;
    if (cyrillic && code == BoardCharset::kNumeroByte)
        return BoardCharset::kNumeroSign;
    const char16_t from = cyrillic ? 0x400 : 0x80;
    const char16_t to = cyrillic ? char16_t(BoardCharset::kTableSize) : 0x400;
    for (char16_t cp = to - 1; cp >= from; --cp) {
        if (BoardCharset::tableEntry(cp) == code && QChar(cp).isLetter())
            return cp;
    }
    if (!cyrillic && code >= 0xA0 && QChar(char16_t(code)).isPrint())
        return char16_t(code);
    return 0;
}

BoardFont makeFont(const QString &name, CharsetMode mode, const QHash<char32_t, Bitmap> &source, QTextStream &log)
{
    BoardFont font;
    font.name = name;
    int made = 0;
    for (int code = 0; code < BoardFont::kGlyphCount; ++code) {
        const char16_t ch = characterFor(code, mode);
        if (!ch || !source.contains(ch))
            continue;
        Glyph glyph = toGlyph(legibleCapital(ch, source, log));
        glyph.comment = describe(ch);
        font.glyphs[code] = glyph;
        ++made;
    }
    log << name << ": " << made << " glyphs\n";
    return font;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    const int early = checkToolArguments(args.mid(1), {}, "usage: lumivox-make-board-fonts 5x8.bdf OUTDIR\n");
    if (early >= 0)
        return early;
    if (args.size() != 3) {
        err << "usage: lumivox-make-board-fonts 5x8.bdf OUTDIR\n";
        return 2;
    }
    QString error;
    const QHash<char32_t, Bitmap> source = readBdf(args[1], &error);
    if (source.isEmpty()) {
        err << (error.isEmpty() ? u"no glyphs in " + args[1] : error) << '\n';
        return 2;
    }
    const struct
    {
        const char16_t *name;
        CharsetMode mode;
    } kFonts[] = {
        {u"Font_V1", CharsetMode::Latin},
        {u"Font_V2", CharsetMode::Cyrillic},
    };
    for (const auto &f : kFonts) {
        const QString name = QString::fromUtf16(f.name);
        const BoardFont font = makeFont(name, f.mode, source, err);
        QString error;
        if (!FontFile::save(args[2] + u'/' + name + u".fnt", font, &error)) {
            err << "cannot write " << name << ".fnt: " << error << "\n";
            return 2;
        }
    }
    return 0;
}
