// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <vector>

// Turns MIDI ticks into microseconds. With a metrical division (ticks per quarter note) every
// tempo change counts, whichever track it came from; a time-code division (frames per second
// and ticks per frame) has a fixed tick length and ignores tempo changes.
class MidiTempoMap
{
public:
    static constexpr quint32 kDefaultTempo = 500000; // microseconds per quarter note: 120 BPM

    // ticksPerQuarter > 0.
    static MidiTempoMap metrical(int ticksPerQuarter);
    // framesPerSecond 24, 25, 29 (that is 29.97 drop-frame) or 30; ticksPerFrame > 0.
    static MidiTempoMap timeCode(int framesPerSecond, int ticksPerFrame);

    // Tempo changes in any order; of several at one tick the last given holds. A tempo of 0
    // is no tempo and is left out.
    void setTempoChanges(std::vector<std::pair<qint64, quint32>> changes);

    double microsecondsAt(qint64 tick) const;

private:
    struct Segment
    {
        qint64 tick;
        double startUs;
        double usPerTick;
    };
    std::vector<Segment> m_segments;
    int m_ticksPerQuarter = 0; // 0: time code
};
