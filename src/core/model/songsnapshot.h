// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/song.h"

// The part of a song an edit can change: its stanzas, refrain, sequence, title, number, timing
// flag and cursor. What describes the file on disk (path, kind, charset, saved number and
// title) stays out, so that going back to a snapshot never retargets a save. Copies share their
// lists with the song until one of them changes.
struct SongSnapshot
{
    QList<Stanza> stanzas;
    QList<int> sequence;
    QString title;
    int refrainIndex = 0;
    int number = 0;
    bool hasTimings = false;
    int stanza = 0;
    int screen = 0;

    static SongSnapshot of(const Song &song);
    // Puts the snapshot's content and cursor into song.
    void applyTo(Song &song) const;
    // Equal in everything but the cursor.
    bool sameContent(const SongSnapshot &other) const;
};
