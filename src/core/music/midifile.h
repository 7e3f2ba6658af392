// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

class QIODevice;

// One channel message of a MIDI file at its time from the start.
struct MidiEvent
{
    qint64 timeUs;
    quint8 status; // 0x80 .. 0xEF: kind and channel
    quint8 data1;
    quint8 data2; // 0 for the one-byte messages (program change, channel pressure)
};

// A Standard MIDI File of type 0 or 1 (".mid", ".midi", ".kar") read for playback: the channel
// messages of all tracks merged in play order, and the length, which runs to the last event of
// the longest track through the tempo changes of every track. A track that turns bad (cut off,
// a data byte where a status must be, a length past the end of the file) counts up to its last
// whole event; what follows it is left out.
class MidiFile
{
public:
    enum class Error {
        None,
        NotMidi,     // no "MThd" header
        Unsupported, // type 2 (independent patterns)
        Damaged,     // the header is unusable (a time division of 0, an unknown frame rate)
        TooLong,     // longer than kMaxLengthUs
        Unreadable,  // the file cannot be read
    };
    static constexpr qint64 kMaxLengthUs = 24LL * 3600 * 1000000;
    static constexpr qint64 kMaxFileSize = 64LL * 1024 * 1024;

    // Whether data starts as a MIDI file does (also inside a RIFF "RMID" wrapper).
    static bool looksLikeMidi(const QByteArray &start);

    bool read(QIODevice &device, Error *error);
    bool load(const QString &path, Error *error);

    int format() const { return m_format; }
    qint64 lengthUs() const { return m_lengthUs; }
    qint64 lengthMs() const { return (m_lengthUs + 500) / 1000; }
    const std::vector<MidiEvent> &events() const { return m_events; }

private:
    bool parse(const QByteArray &data, Error *error);

    int m_format = 0;
    qint64 m_lengthUs = 0;
    std::vector<MidiEvent> m_events;
};
