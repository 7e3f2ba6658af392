// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/editor/songediting.h"

#include "core/model/song.h"

namespace SongEditing {

void deleteCurrentStanza(Song &song)
{
    if (!song.canDeleteStanza())
        return;
    const int position = song.currentStanza() + 1;
    song.deleteCurrentStanza();
    if (song.refrainIndex() == position)
        song.setRefrainIndex(0);
    else if (song.refrainIndex() > position)
        song.setRefrainIndex(song.refrainIndex() - 1);
    song.setAlternatingSequence();
}

bool addStanza(Song &song)
{
    if (!song.canAddStanza())
        return false;
    song.insertStanzaAfterCurrent();
    song.setAlternatingSequence();
    return true;
}

void insertEntry(Song &song, int after, int entry)
{
    QList<int> sequence = song.sequence();
    const int at = after < 0 || after >= sequence.size() ? int(sequence.size()) : after + 1;
    sequence.insert(at, entry);
    song.setSequence(sequence);
}

void removeEntry(Song &song, int index)
{
    QList<int> sequence = song.sequence();
    if (index < 0 || index >= sequence.size())
        return;
    sequence.removeAt(index);
    song.setSequence(sequence);
}

void moveEntry(Song &song, int from, int to)
{
    QList<int> sequence = song.sequence();
    if (from < 0 || to < 0 || from >= sequence.size() || to >= sequence.size() || from == to)
        return;
    sequence.move(from, to);
    song.setSequence(sequence);
}

} // namespace SongEditing
