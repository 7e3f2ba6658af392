// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;
class Song;

// The song editor's music timing command: without a music folder ("LastMusicDir") it says so;
// otherwise it runs the timing dialog on the sound device. True when OK changed the song.
bool openMusicTiming(QWidget *parent, Song &song);
