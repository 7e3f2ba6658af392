// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as the music map: no crash, written pairs read back the same, and the hex
// form of any text decodes to that text.
#include "core/app/musicmap.h"
#include "fuzzsupport.h"

#include <QBuffer>

namespace {

void require(bool condition, const char *what)
{
    Fuzz::require(condition, "fuzz_musicmap", what);
}

MusicMap readMap(const QByteArray &bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    MusicMap map;
    require(map.read(buffer), "an open buffer was not read");
    return map;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    const MusicMap map = readMap(input);
    const QByteArray written = map.toBytes();
    const MusicMap back = readMap(written);
    require(back.pairs() == map.pairs(), "written pairs read back differently");
    require(back.toBytes() == written, "the written map is not a fixed point");

    // The input's bytes as UTF-16 code units, lone surrogates and all.
    const QString text(reinterpret_cast<const QChar *>(input.constData()), input.size() / 2);
    QString decoded;
    require(MusicMap::decodeHex(MusicMap::encodeHex(text), &decoded), "own hex form refused");
    require(decoded == text, "hex form decodes to another text");
    return 0;
}
