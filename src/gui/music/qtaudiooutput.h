// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/music/audiooutput.h"

#include <memory>

class QAudioSink;

// The system's default sound output through QAudioSink in pull mode: 16-bit stereo at the
// file's rate with about 100 ms of buffer.
class QtAudioOutput final : public AudioOutput
{
public:
    // Null when there is no output device or it refuses the format.
    static std::unique_ptr<AudioOutput> create(int sampleRate);
    ~QtAudioOutput() override;

    bool start(PcmSource *source) override;
    void suspend() override;
    void update() override;
    qint64 bufferedFrames() const override { return m_buffered; }
    bool failed() const override;

private:
    explicit QtAudioOutput(QAudioSink *sink);
    std::unique_ptr<QAudioSink> m_sink;
    // Sampled while the sink runs: a suspended or stopped sink reports no free space.
    qint64 m_buffered = 0;
};
