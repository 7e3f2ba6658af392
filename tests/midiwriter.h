// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Standard MIDI Files written byte by byte for the tests: notes, tempo changes, types 0 and 1.

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

class MidiTrack
{
public:
    MidiTrack &tempo(quint32 delta, quint32 usPerQuarter)
    {
        time(delta);
        m_bytes.append("\xFF\x51\x03", 3);
        for (int shift : {16, 8, 0})
            m_bytes.append(char((usPerQuarter >> shift) & 0xFF));
        return *this;
    }
    // Note on after delta, off length ticks later.
    MidiTrack &note(quint32 delta, int key, quint32 length, int channel = 0)
    {
        return raw(delta, midiBytes({0x90 | channel, key, 100})).raw(length, midiBytes({0x80 | channel, key, 0}));
    }
    MidiTrack &raw(quint32 delta, const QByteArray &bytes)
    {
        time(delta);
        m_bytes.append(bytes);
        return *this;
    }
    MidiTrack &end(quint32 delta = 0) { return raw(delta, QByteArray("\xFF\x2F\x00", 3)); }
    // The chunk; declaredLength < 0: the true length.
    QByteArray chunk(qint64 declaredLength = -1) const
    {
        return QByteArray("MTrk") + be32(declaredLength < 0 ? quint32(m_bytes.size()) : quint32(declaredLength)) + m_bytes;
    }

    static QByteArray be32(quint32 v)
    {
        return midiBytes({int(v >> 24), int(v >> 16), int(v >> 8), int(v)});
    }

private:
    void time(quint32 delta)
    {
        QByteArray vlq(1, char(delta & 0x7F));
        while (delta >>= 7)
            vlq.prepend(char(0x80 | (delta & 0x7F)));
        m_bytes.append(vlq);
    }
    QByteArray m_bytes;
};

inline QByteArray midiHeader(int format, int tracks, quint16 division)
{
    return QByteArray("MThd") + MidiTrack::be32(6) +
           midiBytes({format >> 8, format, tracks >> 8, tracks, division >> 8, division});
}

inline QByteArray midiFile(int format, quint16 division, const QList<MidiTrack> &tracks)
{
    QByteArray data = midiHeader(format, int(tracks.size()), division);
    for (const MidiTrack &track : tracks)
        data += track.chunk();
    return data;
}

inline bool writeBytes(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush();
}

// Type 1 at 480 ticks per quarter: a quarter at 120 BPM (500 ms), one at 240 BPM (250 ms), two
// at 60 BPM (2000 ms): 2750 ms.
inline QByteArray midiWithTempoChanges()
{
    return midiFile(1, 480,
                    {MidiTrack().tempo(0, 500000).tempo(480, 250000).tempo(480, 1000000).end(),
                     MidiTrack().raw(0, QByteArray("\xC0\x13", 2)).note(0, 60, 960).note(0, 64, 960).end()});
}
