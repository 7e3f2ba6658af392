// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as an OpenLyrics document and laid out on both boards: no crash, and a song
// that stays within the board's limits whenever it is accepted.
#include "core/lyrics/lyriclayout.h"
#include "core/lyrics/lyricmapping.h"
#include "core/lyrics/openlyrics.h"
#include "core/model/song.h"

#include <QBuffer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_openlyrics: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    LyricSong lyrics;
    if (!OpenLyrics::read(buffer, lyrics))
        return 0;
    LyricNotes notes;
    const LyricPlan plan = LyricMapping::map(lyrics, notes);
    for (const auto &[width, height] : {std::pair{20, 10}, std::pair{16, 6}}) {
        Song song;
        LyricNotes layoutNotes;
        if (!LyricLayout::layout(plan, width, height, song, layoutNotes, nullptr))
            continue;
        require(song.stanzaCount() >= 1 && song.stanzaCount() <= kMaxStanzas, "stanza count");
        for (int i = 0; i < song.stanzaCount(); ++i) {
            require(song.screenCount(i) >= 1 && song.screenCount(i) <= kMaxScreensPerStanza, "screen count");
            for (int j = 0; j < song.screenCount(i); ++j) {
                for (int row = 0; row < kScreenLines; ++row) {
                    const QString line = song.lineText(i, j, row);
                    require(row < height || line.trimmed().isEmpty(), "line below the board");
                    require(line.mid(width).trimmed().isEmpty(), "line wider than the board");
                }
            }
        }
        for (int entry : song.sequence())
            require(song.stanzaOfEntry(entry) >= 0, "sequence entry naming no stanza");
    }
    return 0;
}
