// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct LyricSong;

// Songs in the .sng format: "#Key=value" header lines, then slides between "---" lines.
namespace SongBeamer {

// Whether text reads as such a song: it starts with "#Key=value" lines and has a "---" line.
bool looksLike(const QString &text);

// The song of a .sng text: #Title gives the title, #VerseOrder the order; a slide whose first
// line is a part's heading ("Vers 1", "Verse 2", "Strophe 3", "Refrain", "Chorus", "Bridge", ...)
// starts that part, a slide without one goes on with the part before it, "--" breaks a slide.
// With #LangCount=N the lines of a slide take turns among N languages, named "1" to "N" unless
// #Languages names them.
void read(const QString &text, LyricSong &song);

} // namespace SongBeamer
