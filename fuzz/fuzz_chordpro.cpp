// SPDX-License-Identifier: GPL-3.0-or-later
// Any text read as ChordPro: no crash, and a song within the board's limits.
#include "lyricfuzz.h"

#include "core/lyrics/chordpro.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    LyricSong lyrics;
    ChordPro::read(QString::fromUtf8(Fuzz::bytes(data, size)), lyrics);
    Fuzz::checkLyricSong(lyrics, "fuzz_chordpro");
    return 0;
}
