// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// A music file as a stream of stereo frames that the player reads a chunk at a time.
class AudioDecoder
{
public:
    static constexpr qint64 kChunkFrames = 4096;

    virtual ~AudioDecoder() = default;

    // "wav", "flac", "ogg", "mp3", "midi", ...
    virtual QString format() const = 0;
    virtual int sampleRate() const = 0;
    // The file's own channel count; reads always give two.
    virtual int channels() const = 0;
    virtual qint64 frames() const = 0;
    // The frame the next read starts at.
    virtual qint64 frame() const = 0;
    virtual bool atEnd() const = 0;

    // Moves to frame (clamped to 0 .. frames()); false when the file cannot seek there, after
    // which the stream is at its end.
    virtual bool seek(qint64 frame) = 0;
    // Decodes up to maxFrames stereo frames (samples -1 .. 1, left and right interleaved) into
    // out and returns their number; fewer than asked only at the end of the data.
    virtual qint64 readStereo(float *out, qint64 maxFrames) = 0;
};
