// SPDX-License-Identifier: GPL-3.0-or-later
// What the lyric format targets share: a song read from any format is narrowed to one language,
// mapped and laid out on both boards, and whatever is accepted stays within the board's limits.
#pragma once

#include "fuzzsupport.h"

#include "core/lyrics/lyriclanguage.h"
#include "core/lyrics/lyriclayout.h"
#include "core/lyrics/lyricmapping.h"
#include "core/lyrics/lyricsong.h"
#include "core/model/song.h"

#include <utility>

namespace Fuzz {

inline void checkLyricSong(LyricSong lyrics, const char *target)
{
    LyricLanguage::keepOnly(lyrics, LyricLanguage::choose(lyrics, {}, QStringLiteral("pl")), nullptr);
    LyricNotes notes;
    const LyricPlan plan = LyricMapping::map(lyrics, notes);
    require(plan.stanzas.size() <= kMaxStanzas + 1, target, "mapping read past the stanza limit");
    for (const auto &[width, height] : {std::pair{20, 10}, std::pair{16, 6}}) {
        Song song;
        LyricNotes layoutNotes;
        if (!LyricLayout::layout(plan, width, height, song, layoutNotes, nullptr))
            continue;
        require(song.stanzaCount() >= 1 && song.stanzaCount() <= kMaxStanzas, target, "stanza count");
        for (int i = 0; i < song.stanzaCount(); ++i) {
            require(song.screenCount(i) >= 1 && song.screenCount(i) <= kMaxScreensPerStanza, target, "screen count");
            for (int j = 0; j < song.screenCount(i); ++j) {
                for (int row = 0; row < kScreenLines; ++row) {
                    const QString line = song.lineText(i, j, row);
                    require(row < height || line.trimmed().isEmpty(), target, "line below the board");
                    require(line.mid(width).trimmed().isEmpty(), target, "line wider than the board");
                }
            }
        }
        for (int entry : song.sequence())
            require(song.stanzaOfEntry(entry) >= 0, target, "sequence entry naming no stanza");
    }
}

} // namespace Fuzz
