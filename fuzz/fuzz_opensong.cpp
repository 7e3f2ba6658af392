// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as an OpenSong document, then as the text of its <lyrics>: no crash, and a
// song within the board's limits whenever it is accepted.
#include "lyricfuzz.h"

#include "core/lyrics/opensong.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray input = Fuzz::bytes(data, size);
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    LyricSong lyrics;
    if (OpenSong::read(buffer, lyrics))
        Fuzz::checkLyricSong(lyrics, "fuzz_opensong");
    LyricSong fromText;
    OpenSong::readLyrics(QString::fromUtf8(input), QStringLiteral("V1 C V2 C B"), fromText);
    Fuzz::checkLyricSong(fromText, "fuzz_opensong");
    return 0;
}
