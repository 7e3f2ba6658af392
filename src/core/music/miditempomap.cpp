// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/music/miditempomap.h"

#include <algorithm>

MidiTempoMap MidiTempoMap::metrical(int ticksPerQuarter)
{
    MidiTempoMap map;
    map.m_ticksPerQuarter = qMax(1, ticksPerQuarter);
    map.m_segments.push_back({0, 0.0, double(kDefaultTempo) / map.m_ticksPerQuarter});
    return map;
}

MidiTempoMap MidiTempoMap::timeCode(int framesPerSecond, int ticksPerFrame)
{
    const double fps = framesPerSecond == 29 ? 30000.0 / 1001.0 : double(framesPerSecond);
    MidiTempoMap map;
    map.m_segments.push_back({0, 0.0, 1e6 / (fps * qMax(1, ticksPerFrame))});
    return map;
}

void MidiTempoMap::setTempoChanges(std::vector<std::pair<qint64, quint32>> changes)
{
    if (m_ticksPerQuarter == 0)
        return;
    std::stable_sort(changes.begin(), changes.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    m_segments.resize(1);
    for (const auto &[tick, tempo] : changes) {
        if (tempo == 0)
            continue;
        const double usPerTick = double(tempo) / m_ticksPerQuarter;
        Segment &last = m_segments.back();
        if (last.tick == tick) {
            last.usPerTick = usPerTick;
            continue;
        }
        m_segments.push_back({tick, microsecondsAt(tick), usPerTick});
    }
}

double MidiTempoMap::microsecondsAt(qint64 tick) const
{
    auto after = std::upper_bound(m_segments.begin(), m_segments.end(), tick,
                                  [](qint64 t, const Segment &s) { return t < s.tick; });
    const Segment &segment = after == m_segments.begin() ? m_segments.front() : *(after - 1);
    return segment.startUs + double(tick - segment.tick) * segment.usPerTick;
}
