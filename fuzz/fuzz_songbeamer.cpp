// SPDX-License-Identifier: GPL-3.0-or-later
// Any text read as a .sng song: no crash, and a song within the board's limits.
#include "lyricfuzz.h"

#include "core/lyrics/songbeamer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    LyricSong lyrics;
    SongBeamer::read(QString::fromUtf8(Fuzz::bytes(data, size)), lyrics);
    Fuzz::checkLyricSong(lyrics, "fuzz_songbeamer");
    return 0;
}
