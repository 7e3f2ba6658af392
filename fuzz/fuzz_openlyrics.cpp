// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as an OpenLyrics document and laid out on both boards: no crash, and a song
// that stays within the board's limits whenever it is accepted.
#include "lyricfuzz.h"

#include "core/lyrics/openlyrics.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray input = Fuzz::bytes(data, size);
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    LyricSong lyrics;
    if (OpenLyrics::read(buffer, lyrics))
        Fuzz::checkLyricSong(lyrics, "fuzz_openlyrics");
    return 0;
}
