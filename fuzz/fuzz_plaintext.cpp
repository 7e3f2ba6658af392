// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a lyric file: recognised by content, decoded (UTF, code pages, refusals of RTF
// and binary bytes) and read; no crash, and a song within the board's limits.
#include "lyricfuzz.h"

#include "core/lyrics/lyricfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    LyricFile::Contents contents;
    if (LyricFile::read(Fuzz::bytes(data, size), QStringLiteral("12 Song.txt"), {}, contents, nullptr))
        Fuzz::checkLyricSong(contents.song, "fuzz_plaintext");
    return 0;
}
