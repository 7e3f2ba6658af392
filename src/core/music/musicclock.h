// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

// Milliseconds since the clock's start. Playback without a sound device follows one of these;
// tests move a virtual one by hand instead of waiting.
class MusicClock
{
public:
    virtual ~MusicClock() = default;
    virtual qint64 nowMs() const = 0;
};

class RealMusicClock final : public MusicClock
{
public:
    RealMusicClock() { m_timer.start(); }
    qint64 nowMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

class VirtualMusicClock final : public MusicClock
{
public:
    qint64 nowMs() const override { return m_now; }
    void advance(qint64 ms) { m_now += qMax<qint64>(0, ms); }

private:
    qint64 m_now = 0;
};
