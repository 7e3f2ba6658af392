// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/audiodecoder.h"
#include "core/music/musicplayer.h"
#include "gui/music/audiooutput.h"
#include "gui/music/pcmsource.h"

#include <memory>

class MusicClock;

struct MusicBackendOptions
{
    // Keeps time when there is no sound output; null: the real clock. Must outlive the player.
    MusicClock *clock = nullptr;
    // Makes the sound device's output for a sample rate, null when there is none. Empty: the
    // system's default output (QAudioSink).
    std::function<std::unique_ptr<AudioOutput>(int sampleRate)> makeOutput;
    // Only the null sink: no device is tried and nothing is reported.
    bool silent = false;
    // Receives the frames the null sink takes.
    NullAudioOutput::FrameTap tap;
    // The sound font the settings name for MIDI files; empty or missing: the system's.
    QString soundFont;
};

// The music player: libsndfile decodes or FluidSynth renders MIDI, a per-channel gain scales, and the sound device or,
// when there is none or it fails, the null sink on the clock takes the frames.
std::unique_ptr<MusicPlayer> createMusicPlayer(MusicBackendOptions options = {});

class StreamingMusicPlayer final : public MusicPlayer
{
public:
    explicit StreamingMusicPlayer(MusicBackendOptions options);
    ~StreamingMusicPlayer() override;

    bool open(const QString &path, QString *error) override;
    void close() override;
    State state() const override { return m_state; }
    qint64 lengthMs() const override;
    qint64 positionMs() override;
    void playFrom(qint64 ms) override;
    void pause() override;
    void stop() override;
    void setVolume(int left, int right) override;

private:
    qint64 positionFrame();
    qint64 toMs(qint64 frame) const;
    qint64 frames() const { return m_decoder ? m_decoder->frames() : 0; }
    int sampleRate() const { return m_decoder ? m_decoder->sampleRate() : 0; }
    void prepareMidi();
    void startOutput(qint64 frame, bool tryDevice);
    void releaseOutput();
    void soundLost();
    void reportSoundLost();

    MusicBackendOptions m_options;
    std::unique_ptr<MusicClock> m_ownClock;
    std::unique_ptr<AudioDecoder> m_decoder;
    // The output reads the source: it goes first.
    std::unique_ptr<PcmSource> m_source;
    std::unique_ptr<AudioOutput> m_output;
    State m_state = State::Closed;
    qint64 m_startFrame = 0;
    qint64 m_heldFrame = 0; // the position while paused or stopped
    int m_volume[2] = {kMaxVolume, kMaxVolume};
    bool m_soundLostReported = false;
};
