// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// Plays one music file at a time for the timing of a song's screens: the media commands the
// timing dialog sends (open, length, position, play from, pause, stop, volume per channel,
// close). Times are milliseconds. The sound backend lives in the user interface layer; the
// dialog's tests use a fake of this interface.
class MusicPlayer
{
public:
    enum class State { Closed, Stopped, Playing, Paused };

    static constexpr int kMinVolume = 1;    // 1 is silence: a muted channel gets it
    static constexpr int kMaxVolume = 1000; // full level
    static int clampVolume(int volume);

    virtual ~MusicPlayer() = default;

    // Closes any open file and opens path; on failure error gets a text for the user.
    virtual bool open(const QString &path, QString *error) = 0;
    virtual void close() = 0;
    virtual State state() const = 0;
    bool isOpen() const { return state() != State::Closed; }
    // Playing stays true at the end of the file (the position then holds at the end), and while paused.
    bool isPlaying() const { return state() == State::Playing || state() == State::Paused; }
    bool isPaused() const { return state() == State::Paused; }

    virtual qint64 lengthMs() const = 0;
    // Between 0 and lengthMs().
    virtual qint64 positionMs() = 0;
    // Seeks (clamped to 0 .. lengthMs()) and plays from there, also after a pause or stop.
    virtual void playFrom(qint64 ms) = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    // Each channel 1 .. 1000, clamped.
    virtual void setVolume(int left, int right) = 0;

    // Called with a text for the user when something goes wrong that playback survives
    // (sound output lost, timing goes on without sound).
    void setNoticeHandler(std::function<void(const QString &text)> handler) { m_notice = std::move(handler); }

protected:
    void notify(const QString &text) const
    {
        if (m_notice)
            m_notice(text);
    }

private:
    std::function<void(const QString &)> m_notice;
};
