// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Song;

// The editor's changes of a song's stanzas and sequence that go beyond one call of Song.
namespace SongEditing {

// Deletes the current stanza (not the last one left): a deleted refrain leaves the song without
// one, a refrain behind the deleted stanza moves up with it; the sequence becomes alternating.
void deleteCurrentStanza(Song &song);
// Inserts a stanza after the current one and moves to it; the sequence becomes alternating.
// A song without stanzas gets its first. False when the song is full.
bool addStanza(Song &song);

// Sequence entries by list index. insertEntry puts entry after index after (-1 or an index past
// the end appends); removeEntry and moveEntry ignore indices outside the list. moveEntry takes
// the entry out of from and inserts it at to: after the target when dragged down, before it
// when dragged up.
void insertEntry(Song &song, int after, int entry);
void removeEntry(Song &song, int index);
void moveEntry(Song &song, int from, int to);

} // namespace SongEditing
