// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

struct sf_private_tag;

// A music file decoded by libsndfile (WAV, FLAC, OGG, MP3) as a stream of stereo frames: mono
// is doubled, of more channels the first two are kept. Nothing is decoded ahead: each read
// decodes at most kChunkFrames frames.
class SoundFileDecoder
{
public:
    static constexpr qint64 kChunkFrames = 4096;

    SoundFileDecoder() = default;
    ~SoundFileDecoder();
    SoundFileDecoder(const SoundFileDecoder &) = delete;
    SoundFileDecoder &operator=(const SoundFileDecoder &) = delete;

    // On failure reason gets libsndfile's explanation (in English).
    bool open(const QString &path, QString *reason);
    void close();
    bool isOpen() const { return m_file != nullptr; }

    int sampleRate() const { return m_rate; }
    int channels() const { return m_channels; }
    qint64 frames() const { return m_frames; }
    // The frame the next read starts at.
    qint64 frame() const { return m_frame; }
    bool atEnd() const { return m_atEnd; }

    // Moves to frame (clamped to 0 .. frames()); false when the file cannot seek there, after
    // which the stream is at its end.
    bool seek(qint64 frame);
    // Decodes up to maxFrames stereo frames (samples -1 .. 1, left and right interleaved) into
    // out and returns their number; fewer than asked only at the end of the data.
    qint64 readStereo(float *out, qint64 maxFrames);

private:
    sf_private_tag *m_file = nullptr;
    int m_rate = 0;
    int m_channels = 0;
    qint64 m_frames = 0;
    qint64 m_frame = 0;
    bool m_atEnd = true;
    std::vector<float> m_chunk;
};
