// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/song.h"

// Stanza 1 of three screens (the first reading "Pierwszy ekran"), the refrain (position 2) of
// two, stanza 3 of three. The default sequence 1, 7, r, 3, r has an entry naming no stanza:
// ten screens, the refrain at 3-4 and 8-9.
inline Song refrainSong(const QString &title = {}, const QList<int> &sequence = {1, 7, RefrainMarker, 3, RefrainMarker})
{
    Song song;
    song.setTitle(title);
    for (const int screens : {3, 2, 3}) {
        song.appendStanza();
        for (int i = 0; i < screens; ++i)
            song.addScreenAfterCurrent();
    }
    song.setScreenText(0, 0, QStringLiteral("Pierwszy ekran"));
    song.setRefrainIndex(2);
    song.setSequence(sequence);
    return song;
}
