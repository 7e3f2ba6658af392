// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as a ".fnt" board font: no crash, comments within their limit, and read, write,
// read gives the same font and the same bytes.
#include "core/font/boardfont.h"
#include "fuzzsupport.h"

#include <QBuffer>

namespace {

void require(bool condition, const char *what)
{
    Fuzz::require(condition, "fuzz_font", what);
}

bool readFont(const QByteArray &bytes, BoardFont &font)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return FontFile::read(buffer, font);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    BoardFont font;
    font.name = QStringLiteral("Fuzz");
    readFont(Fuzz::bytes(data, size), font);
    for (const Glyph &glyph : font.glyphs)
        require(glyph.comment.size() <= Glyph::kMaxCommentLength, "comment over its limit");

    // A short file leaves glyphs as they were; what was read is a whole font once written.
    const QByteArray written = FontFile::toBytes(font);
    BoardFont back;
    back.name = font.name;
    require(readFont(written, back), "the written font is not whole");
    require(back == font, "the written font reads back differently");
    require(FontFile::toBytes(back) == written, "the written font is not a fixed point");
    return 0;
}
