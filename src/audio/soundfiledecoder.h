// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/audiodecoder.h"

#include <vector>

struct sf_private_tag;

// A music file decoded by libsndfile (WAV, FLAC, OGG, MP3) as a stream of stereo frames: mono
// is doubled, of more channels the first two are kept. Nothing is decoded ahead: each read
// decodes at most kChunkFrames frames.
class SoundFileDecoder final : public AudioDecoder
{
public:
    SoundFileDecoder() = default;
    ~SoundFileDecoder() override;
    SoundFileDecoder(const SoundFileDecoder &) = delete;
    SoundFileDecoder &operator=(const SoundFileDecoder &) = delete;

    // On failure reason gets a text for the user.
    bool open(const QString &path, QString *reason);
    void close();
    bool isOpen() const { return m_file != nullptr; }

    QString format() const override { return m_format; }
    int sampleRate() const override { return m_rate; }
    int channels() const override { return m_channels; }
    qint64 frames() const override { return m_frames; }
    qint64 frame() const override { return m_frame; }
    bool atEnd() const override { return m_atEnd; }
    bool seek(qint64 frame) override;
    qint64 readStereo(float *out, qint64 maxFrames) override;

private:
    sf_private_tag *m_file = nullptr;
    QString m_format;
    int m_rate = 0;
    int m_channels = 0;
    qint64 m_frames = 0;
    qint64 m_frame = 0;
    bool m_atEnd = true;
    std::vector<float> m_chunk;
};
