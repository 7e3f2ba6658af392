// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/playlist.h"

#include <QHash>
#include <QString>

#include <memory>
#include <utility>

class Song;

// The edits of the playlist page: entries built from a song, moves and deletions. Indexes out
// of range are clamped or ignored, never trusted.
namespace PlaylistEditing {

// A playlist holds at most this many entries (files written elsewhere may hold more).
inline constexpr int kMaxEntries = 100;
// The brightness given to new entries.
inline constexpr int kDefaultOption = 30;

// What the insert dialog chose.
struct InsertChoice
{
    enum Mode { WholeSong = 0, OneStanza = 1, Range = 2 };
    int mode = WholeSong;
    int stanza = 1;       // OneStanza: position, kRefrainFlag added for the refrain
    int from = 1, to = 1; // Range: positions, both included
    int option = kDefaultOption;
};

struct InsertResult
{
    int added = 0;
    bool full = false; // stopped at kMaxEntries
};

// Inserts the entries for song (read from path) at *position, each below the one before, and
// moves *position past them. A slide is added as one entry of stanza 1. An entry whose stanza
// the song lacks (a sequence element that names none, a missing refrain) is added not found.
InsertResult insertEntries(Playlist &playlist, int *position, const Song &song, const QString &path,
                           const InsertChoice &choice);

// Moves the entry at from so that it lands above the entry that was at insertPosition (the
// count: at the end). Returns the entry's new index, or -1 when nothing moved.
int moveEntry(Playlist &playlist, int from, int insertPosition);

// The run of consecutive entries around index with its exact title: first and last index.
std::pair<int, int> adjacentRun(const Playlist &playlist, int index);
// Removes that run; returns how many entries went.
int removeAdjacent(Playlist &playlist, int index);

// An entry can be shown: its file was found and the stanza it names exists (slides: 1).
bool isShowable(const PlaylistEntry &entry, const Song *song);
// The 0-based stanza of song an entry shows, or -1.
int stanzaIndex(const PlaylistEntry &entry, const Song &song);

// Songs read once per path for checks and previews (read-only: files are never rewritten).
class SongCache
{
public:
    // Null when the file cannot be read.
    const Song *song(const QString &path);
    void clear() { m_songs.clear(); }

private:
    QHash<QString, std::shared_ptr<Song>> m_songs;
};

} // namespace PlaylistEditing
