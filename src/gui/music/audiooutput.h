// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <functional>
#include <vector>

class MusicClock;
class PcmSource;

// Where the player's frames go: the sound device, or the null sink that only keeps time.
class AudioOutput
{
public:
    virtual ~AudioOutput() = default;
    // Starts taking frames from source (which outlives the output); false when it cannot play.
    virtual bool start(PcmSource *source) = 0;
    virtual void suspend() = 0;
    // Brings bufferedFrames() and failed() up to date; the null sink takes what is due here.
    virtual void update() = 0;
    // Frames taken from the source that have not been heard yet.
    virtual qint64 bufferedFrames() const = 0;
    // The output stopped with an error (device gone); the end of the data is no error.
    virtual bool failed() const = 0;
};

// Takes rate x elapsed clock time frames from the source, lazily when updated (no timer of
// its own), and hands them to the tap when there is one. Never fails.
class NullAudioOutput final : public AudioOutput
{
public:
    using FrameTap = std::function<void(const qint16 *interleaved, qint64 frames)>;

    NullAudioOutput(const MusicClock &clock, int sampleRate, FrameTap tap = {});

    bool start(PcmSource *source) override;
    void suspend() override;
    void update() override;
    qint64 bufferedFrames() const override { return 0; }
    bool failed() const override { return false; }

private:
    const MusicClock &m_clock;
    int m_rate;
    FrameTap m_tap;
    PcmSource *m_source = nullptr;
    qint64 m_startMs = 0;
    qint64 m_taken = 0;
    std::vector<qint16> m_frames;
};
