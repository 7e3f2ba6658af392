// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/music/audiooutput.h"

#include "audio/audiodecoder.h"
#include "core/music/musicclock.h"
#include "gui/music/pcmsource.h"

NullAudioOutput::NullAudioOutput(const MusicClock &clock, int sampleRate, FrameTap tap)
    : m_clock(clock), m_rate(sampleRate), m_tap(std::move(tap)), m_frames(AudioDecoder::kChunkFrames * 2)
{}

bool NullAudioOutput::start(PcmSource *source)
{
    m_source = source;
    m_startMs = m_clock.nowMs();
    m_taken = 0;
    return true;
}

void NullAudioOutput::suspend()
{
    update();
    m_source = nullptr;
}

void NullAudioOutput::update()
{
    if (!m_source)
        return;
    // From the start, not from the last update, so that rounding never adds up.
    const qint64 due = (m_clock.nowMs() - m_startMs) * m_rate / 1000;
    while (m_taken < due && !m_source->atEnd()) {
        const qint64 want = qMin(due - m_taken, AudioDecoder::kChunkFrames);
        const qint64 got = m_source->readFrames(m_frames.data(), want);
        if (got > 0 && m_tap)
            m_tap(m_frames.data(), got);
        m_taken += got;
        if (got < want)
            break;
    }
}
