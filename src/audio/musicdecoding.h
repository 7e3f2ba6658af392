// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/audiodecoder.h"

#include <QString>

#include <memory>

// A decoder for the music file at path: MIDI files (by their content, or by their name when
// their content is no music libsndfile knows) go to the MIDI renderer, everything else to
// libsndfile. Null on failure, with a text for the user in *reason.
std::unique_ptr<AudioDecoder> openMusicDecoder(const QString &path, QString *reason);

struct MusicFileInfo
{
    QString format; // "wav", "flac", "ogg", "mp3", "midi"
    qint64 durationMs = 0;
    int channels = 0;
    int sampleRate = 0; // 44100 for MIDI: the rate it is rendered at
};

// What the timing dialog shows of a file before it plays: its format and length. Opening a
// MIDI file reads only the file, no sound font.
bool readMusicFileInfo(const QString &path, MusicFileInfo *info, QString *reason);

// Frames at a sample rate as milliseconds, rounded.
qint64 framesToMs(qint64 frames, int sampleRate);
