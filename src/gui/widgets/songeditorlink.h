// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Song;

// What the structure view and the text import ask of the song editor page that opened them.
class SongEditorLink
{
public:
    virtual ~SongEditorLink() = default;
    virtual Song &editedSong() = 0;
    // Writes the matrix's text into the song's current screen.
    virtual void storeScreen() = 0;
    // Moves to a screen of the song, shows it and refreshes the counters and the sequence list.
    virtual void showScreen(int stanza, int screen) = 0;
};
