// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/songsnapshot.h"

SongSnapshot SongSnapshot::of(const Song &song)
{
    return {song.stanzas(), song.sequence(),   song.title(),         song.refrainIndex(),
            song.number(),  song.hasTimings(), song.currentStanza(), song.currentScreen()};
}

void SongSnapshot::applyTo(Song &song) const
{
    song.setStanzas(stanzas);
    song.setSequence(sequence);
    song.setTitle(title);
    song.setRefrainIndex(refrainIndex);
    song.setNumber(number);
    song.setHasTimings(hasTimings);
    song.setCursor(stanza, screen);
}

bool SongSnapshot::sameContent(const SongSnapshot &other) const
{
    return stanzas == other.stanzas && sequence == other.sequence && title == other.title
        && refrainIndex == other.refrainIndex && number == other.number && hasTimings == other.hasTimings;
}
