// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/font/fontexport.h"

#include "core/util/atomicsave.h"
#include "core/util/deviceio.h"
#include "core/util/fileutils.h"
#include "core/util/textids.h"
#include "core/font/boardfont.h"
#include "core/model/linereader.h"
#include "core/util/posixfile.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cctype>

namespace {

constexpr quint32 kStartAddress = 0x800000;
constexpr int kNameRecordChars = 32;
constexpr int kGlyphsPerLine = 8;
constexpr int kFieldStart[Glyph::kColumns] = {9, 14, 19, 24, 29}; // K5 .. K1

QByteArray addressTag(quint32 address)
{
    return "H" + upperHex(address, 6);
}

// The two characters of a column field as they stand in the line; a line cut short is padded with "0".
QByteArray fieldText(QByteArrayView line, int pos)
{
    QByteArray field = pos < line.size() ? line.sliced(pos, qMin<qsizetype>(2, line.size() - pos)).toByteArray()
                                         : QByteArray();
    while (field.size() < 2)
        field += '0';
    return field;
}

// Column fields in export order: K1..K5, or K5..K1 when mirrored.
QList<QByteArray> exportFields(QByteArrayView line, bool mirrored)
{
    QList<QByteArray> fields;
    for (int f = 0; f < Glyph::kColumns; ++f)
        fields << fieldText(line, kFieldStart[f]); // K5 first
    if (!mirrored)
        std::reverse(fields.begin(), fields.end());
    return fields;
}

QByteArray nameRecord(const QString &name)
{
    QByteArray record;
    for (QChar c : name)
        record += upperHex(c.unicode(), 2);
    for (qsizetype i = name.size(); i < kNameRecordChars; ++i)
        record += "FF";
    return record;
}

bool isHexField(const QByteArray &field)
{
    return std::all_of(field.begin(), field.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

// One font's records in fonts.out and rows in fonts.h, starting at address.
struct FontPart
{
    QByteArray image;
    QByteArray header;
    quint32 end = 0; // the address after the font
    int glyphs = 0;  // glyph lines taken
    int badLine = 0; // the line whose column is no hex number
};

FontPart fontPart(QIODevice &fnt, const QString &name, quint32 address, const FontExportOptions &options)
{
    FontPart part;
    part.image = "czcionka: " + name.toUtf8() + "\r\n";
    part.image += addressTag(address) + nameRecord(name) + "\r\n";
    address += 0x20;
    part.image += addressTag(address) + QByteArray(2 * kNameRecordChars, 'F');
    address += 0x20;

    LineReader reader(fnt);
    QByteArrayView line;
    int lineNumber = 0;
    while (part.glyphs < BoardFont::kGlyphCount && reader.next(line)) {
        ++lineNumber;
        if (line.isEmpty() || line.front() != '0')
            continue;
        const QList<QByteArray> fields = exportFields(line, options.mirrored);
        // The fields are copied as text: anything but hex digits would corrupt the image.
        if (!std::all_of(fields.begin(), fields.end(), isHexField)) {
            part.badLine = lineNumber;
            break;
        }
        if (part.glyphs % kGlyphsPerLine == 0)
            part.image += "\r\n" + addressTag(address);
        for (const QByteArray &field : fields)
            part.image += field;
        if (options.withHeader)
            part.header += "0x" + fields.join(", 0x") + ", // 0x" + upperHex(uint(part.glyphs), 2) + "\r\r\n";
        address += Glyph::kColumns;
        ++part.glyphs;
    }
    part.image += "\r\n\r\n";
    part.end = address;
    return part;
}

// The fonts.out image of the listed fonts, and the fonts.h table in header when asked for.
// A font is taken whole or not at all.
QByteArray fontImage(const FontExportOptions &options, FontExportResult &result, QByteArray &header)
{
    if (options.withHeader)
        header = "U8 fontDataTable[] = {\r\r\n";

    QByteArray image = "Z800000\r\n";
    quint32 address = kStartAddress;
    for (const QString &listed : options.fontNames) {
        // A line end in the name would add records of its own to the image.
        if (hasControlCharacter(listed)) {
            result.skipped.append({listed, Txt::FontExportControlInName});
            continue;
        }
        const QString path = QDir(options.fontDir).filePath(listed + u".fnt");
        if (!QFileInfo::exists(path)) {
            result.skipped.append({listed, Txt::FontExportMissing});
            continue;
        }
        const PosixFile file(path);
        QFile fnt;
        if (!file.openDevice(fnt)) {
            result.skipped.append({listed, Txt::FontExportUnreadable});
            continue;
        }
        const FontPart part = fontPart(fnt, options.lowerCaseNames ? listed.toLower() : listed, address, options);
        if (part.badLine > 0) {
            result.skipped.append({listed, Txt::FontExportBadColumn, part.badLine});
            continue;
        }
        if (part.glyphs < BoardFont::kGlyphCount) {
            result.skipped.append({listed, Txt::FontExportIncomplete, part.glyphs});
            continue;
        }
        image += part.image;
        header += part.header;
        address = part.end;
        ++result.fontsWritten;
    }
    image += "\r\n";
    if (options.withHeader)
        header += "};\r\r\n";
    return image;
}

} // namespace

FontExportResult exportFontImage(const FontExportOptions &options)
{
    FontExportResult result;
    QDir().mkpath(options.outDir);
    QByteArray header;
    // The fonts are read once fonts.out could be created.
    const bool saved = saveAtomically(
        QDir(options.outDir).filePath(QStringLiteral("fonts.out")),
        [&](QIODevice &out) { return writeAll(out, fontImage(options, result, header)); }, &result.error);
    if (!saved) {
        result.failureTextId = Txt::FontExportCannotCreate;
        result.failedFile = QStringLiteral("fonts.out");
        return result;
    }
    if (options.withHeader
        && !saveFileAtomically(QDir(options.outDir).filePath(QStringLiteral("fonts.h")), header, &result.error)) {
        result.failureTextId = Txt::CardFileNotWritten;
        result.failedFile = QStringLiteral("fonts.h");
        return result;
    }
    result.ok = true;
    return result;
}

QStringList fontNamesInDirectory(const QString &dir)
{
    QStringList names;
    for (const QString &file : sortedEntries(dir, QDir::Files, {QStringLiteral("*.fnt")}))
        names << file.chopped(4);
    return names;
}

FontExportResult exportAllFonts(const QString &fontDir, const QString &outDir)
{
    FontExportOptions options;
    options.fontDir = fontDir;
    options.outDir = outDir;
    options.fontNames = fontNamesInDirectory(fontDir);
    options.lowerCaseNames = true;
    if (options.fontNames.isEmpty()) {
        FontExportResult result;
        result.failureTextId = Txt::FontExportNoFonts;
        return result;
    }
    return exportFontImage(options);
}
