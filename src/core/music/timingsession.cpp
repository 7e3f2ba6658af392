// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/music/timingsession.h"

TimingSession::TimingSession(const Song &song) : m_positions(song.performancePositions())
{
    const int refrain = song.refrainIndex() - 1;
    for (const SongPosition &at : std::as_const(m_positions)) {
        m_texts.append(song.screenText(at.stanza, at.screen));
        // A negative time read from a file counts as not recorded.
        m_durations.append(qMax(0, song.screenTime(at.stanza, at.screen)));
        const quint32 stanza = at.stanza == refrain ? quint32(RefrainMarker) : quint32(at.stanza);
        m_codes.append(stanza << 16 | quint32(at.screen & 0xFFFF));
    }
}

QString TimingSession::screenText(int index) const
{
    return index >= 0 && index < m_texts.size() ? m_texts.at(index) : QString();
}

int TimingSession::offset(int index) const
{
    int sum = 0;
    for (int i = 0, end = qMin(index, screenCount()); i < end; ++i)
        sum += m_durations.at(i);
    return sum;
}

bool TimingSession::canRecord() const
{
    return m_mode != Mode::Stop && m_current < screenCount() && m_durations.at(m_current) == 0;
}

TimingSession::Mode TimingSession::changeMode(Mode requested)
{
    switch (requested) {
    case Mode::Play:
        if (m_mode == Mode::Stop)
            jump(0);
        m_mode = Mode::Play;
        break;
    case Mode::Pause:
        if (m_mode == Mode::Play)
            m_mode = Mode::Pause;
        break;
    case Mode::Stop:
        m_mode = Mode::Stop;
        jump(0);
        break;
    }
    return m_mode;
}

bool TimingSession::tick(qint64 positionMs)
{
    if (m_mode != Mode::Play)
        return false;
    m_position = int(qBound(qint64(0), positionMs / 100, qint64(INT_MAX)));
    const int before = m_current;
    // Timed screens (a refrain sung again) pass on their own at their scheduled end.
    while (m_current < screenCount() && m_durations.at(m_current) != 0) {
        const int end = offset(m_current + 1);
        if (end >= m_position)
            break;
        m_lastMark = end;
        ++m_current;
    }
    return m_current != before;
}

TimingSession::RecordResult TimingSession::record()
{
    if (m_current >= screenCount() || m_durations.at(m_current) != 0)
        return RecordResult::Nothing;
    const int duration = m_position - m_lastMark;
    if (duration <= 0) {
        m_lastMark = m_position;
        return duration < 0 ? RecordResult::Negative : RecordResult::Nothing;
    }
    const SongPosition same = m_positions.at(m_current);
    for (int i = 0; i < screenCount(); ++i) {
        if (m_positions.at(i) == same)
            m_durations[i] = duration;
    }
    m_lastMark = m_position;
    ++m_current;
    return RecordResult::Recorded;
}

void TimingSession::jump(int tenths)
{
    m_position = qMax(0, tenths);
    int start = 0;
    m_current = 0;
    while (m_current < screenCount()) {
        const int duration = m_durations.at(m_current);
        if (duration == 0 || start + duration > m_position)
            break;
        start += duration;
        ++m_current;
    }
    m_lastMark = start;
}

void TimingSession::zero()
{
    m_durations.fill(0);
    m_mode = Mode::Stop;
    jump(0);
}

bool TimingSession::applyTo(Song &song) const
{
    bool changed = false;
    for (int i = 0; i < screenCount(); ++i) {
        const SongPosition &at = m_positions.at(i);
        if (song.screenTime(at.stanza, at.screen) != m_durations.at(i)) {
            song.setScreenTime(at.stanza, at.screen, m_durations.at(i));
            changed = true;
        }
    }
    // Screens outside the sequence keep their times, and with them the flag the writer needs.
    bool anyTime = false;
    for (int stanza = 0; stanza < song.stanzaCount() && !anyTime; ++stanza) {
        for (int screen = 0; screen < song.screenCount(stanza) && !anyTime; ++screen)
            anyTime = song.screenTime(stanza, screen) != 0;
    }
    // A song whose times did not change keeps its flag, so that OK alone does not rewrite its file.
    if (song.hasTimings() != anyTime && (changed || anyTime)) {
        song.setHasTimings(anyTime);
        changed = true;
    }
    if (changed)
        song.setDirty(true);
    return changed;
}

QString TimingSession::timeText(int tenths)
{
    const int t = qMax(0, tenths);
    const int seconds = t / 10;
    return QString::asprintf("%.2d:%.2d:%.2d.%.2d", seconds / 3600, seconds % 3600 / 60, seconds % 60, t % 10 * 10);
}
