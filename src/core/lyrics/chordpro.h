// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct LyricSong;

// Songs in ChordPro: lyrics with chords in brackets and {directives}.
namespace ChordPro {

// Whether text reads as ChordPro: a {title}, {start_of_...} or {soc}-like directive on a line of
// its own before the first lyric line ends the guess.
bool looksLike(const QString &text);

// The song of a ChordPro text: {title} (or {t}) gives the title; chorus, verse and bridge
// sections ({start_of_chorus} / {soc} ... {end_of_chorus} and their verse, bridge forms) their
// verses, and paragraphs outside them verses; {chorus} sings the chorus again. Chords in
// brackets, "#" comment lines, comment directives, tab and grid sections leave no text.
void read(const QString &text, LyricSong &song);

} // namespace ChordPro
