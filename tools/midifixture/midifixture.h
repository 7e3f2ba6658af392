// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fixtures for the MIDI tests and benchmark: Standard MIDI Files written byte by byte (notes,
// tempo changes, types 0 and 1) and a sound font of one square-wave preset.
#include <QByteArray>
#include <QFile>
#include <QList>

#include <initializer_list>

inline QByteArray midiBytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v & 0xFF));
    return out;
}

inline QByteArray be32(quint32 v)
{
    return midiBytes({int(v >> 24), int(v >> 16), int(v >> 8), int(v)});
}

class MidiTrack
{
public:
    MidiTrack &raw(quint32 delta, const QByteArray &bytes)
    {
        QByteArray vlq(1, char(delta & 0x7F));
        while (delta >>= 7)
            vlq.prepend(char(0x80 | (delta & 0x7F)));
        m_bytes += vlq + bytes;
        return *this;
    }
    MidiTrack &tempo(quint32 delta, quint32 us)
    {
        return raw(delta, midiBytes({0xFF, 0x51, 3, int(us >> 16), int(us >> 8), int(us)}));
    }
    // Note on after delta, off length ticks later.
    MidiTrack &note(quint32 delta, int key, quint32 length, int channel = 0)
    {
        return raw(delta, midiBytes({0x90 | channel, key, 100})).raw(length, midiBytes({0x80 | channel, key, 0}));
    }
    MidiTrack &end(quint32 delta = 0) { return raw(delta, midiBytes({0xFF, 0x2F, 0})); }
    // The chunk; declaredLength < 0: the true length.
    QByteArray chunk(qint64 declaredLength = -1) const
    {
        return "MTrk" + be32(quint32(declaredLength < 0 ? m_bytes.size() : declaredLength)) + m_bytes;
    }

private:
    QByteArray m_bytes;
};

inline QByteArray midiHeader(int format, int tracks, int division)
{
    return "MThd" + be32(6) + midiBytes({format >> 8, format, tracks >> 8, tracks, division >> 8, division});
}

inline QByteArray midiFile(int format, int division, const QList<MidiTrack> &tracks)
{
    QByteArray data = midiHeader(format, int(tracks.size()), division);
    for (const MidiTrack &track : tracks)
        data += track.chunk();
    return data;
}

bool writeBytes(const QString &path, const QByteArray &data);

// A SoundFont 2 file with preset 0 of bank 0: a looped square wave of 441 Hz at key 60.
QByteArray squareWaveSoundFont();

// Type 1 at 480 ticks a quarter: a quarter at 120 BPM (500 ms), one at 240 BPM (250 ms), two at
// 60 BPM (2000 ms): 2750 ms.
inline QByteArray midiWithTempoChanges()
{
    return midiFile(1, 480,
                    {MidiTrack().tempo(0, 500000).tempo(480, 250000).tempo(480, 1000000).end(),
                     MidiTrack().raw(0, midiBytes({0xC0, 0x13})).note(0, 60, 960).note(0, 64, 960).end()});
}
