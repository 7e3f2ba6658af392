// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/music/midifile.h"

#include "core/music/miditempomap.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// A delta time of up to four bytes can reach 2^28 ticks; beyond this sum a track only counts as
// far as here, which keeps every time far from overflow.
constexpr qint64 kMaxTicks = qint64(1) << 40;

struct TrackEvent
{
    qint64 tick;
    quint8 status, data1, data2;
};

// The bytes of one file, read front to back within a limit.
class Reader
{
public:
    Reader(const QByteArray &data, qsizetype pos, qsizetype end) : m_data(data), m_pos(pos), m_end(end) {}

    const QByteArray &data() const { return m_data; }
    bool atEnd() const { return m_pos >= m_end; }
    qsizetype pos() const { return m_pos; }
    std::optional<quint8> byte()
    {
        if (m_pos >= m_end)
            return std::nullopt;
        return quint8(m_data.at(m_pos++));
    }
    quint8 peek() const { return quint8(m_data.at(m_pos)); }
    std::optional<quint32> number()
    {
        quint32 value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::optional<quint8> b = byte();
            if (!b)
                return std::nullopt;
            value = (value << 7) | (*b & 0x7F);
            if (!(*b & 0x80))
                return value;
        }
        return std::nullopt; // a fifth byte: not a number of this format
    }
    bool skip(quint32 count)
    {
        if (qint64(count) > m_end - m_pos)
            return false;
        m_pos += count;
        return true;
    }

private:
    const QByteArray &m_data;
    qsizetype m_pos;
    qsizetype m_end;
};

quint32 bigEndian(const QByteArray &data, qsizetype at, int bytes)
{
    quint32 value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | quint8(data.at(at + i));
    return value;
}

int dataBytes(quint8 status)
{
    const quint8 kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// Reads one track's events; returns the tick of its last whole event.
qint64 readTrack(Reader in, std::vector<TrackEvent> &events, std::vector<std::pair<qint64, quint32>> &tempos)
{
    qint64 tick = 0;
    qint64 lastTick = 0;
    quint8 running = 0;
    while (!in.atEnd()) {
        const std::optional<quint32> delta = in.number();
        if (!delta || in.atEnd() || tick + *delta > kMaxTicks)
            break;
        tick += *delta;
        quint8 status = in.peek();
        if (status & 0x80)
            in.byte();
        else if (running)
            status = running;
        else
            break; // a data byte with no status before it
        if (status == 0xFF) {
            running = 0;
            const std::optional<quint8> type = in.byte();
            const std::optional<quint32> length = type ? in.number() : std::nullopt;
            const qsizetype start = in.pos();
            if (!length || !in.skip(*length))
                break;
            lastTick = tick;
            if (*type == 0x2F)
                break; // end of track
            if (*type == 0x51 && *length >= 3)
                tempos.emplace_back(tick, quint32(bigEndian(in.data(), start, 3)));
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            running = 0;
            const std::optional<quint32> length = in.number();
            if (!length || !in.skip(*length))
                break;
            lastTick = tick;
            continue;
        }
        if (status > 0xF0)
            break; // no other system message belongs in a file
        running = status;
        quint8 data[2] = {0, 0};
        bool whole = true;
        for (int i = 0; i < dataBytes(status) && whole; ++i) {
            const std::optional<quint8> b = in.byte();
            whole = b && !(*b & 0x80);
            if (whole)
                data[i] = *b;
        }
        if (!whole)
            break;
        events.push_back({tick, status, data[0], data[1]});
        lastTick = tick;
    }
    return lastTick;
}

} // namespace

bool MidiFile::looksLikeMidi(const QByteArray &start)
{
    return start.startsWith("MThd") || (start.startsWith("RIFF") && start.mid(8, 4) == "RMID");
}

bool MidiFile::load(const QString &path, Error *error)
{
    QFile file(path);
    // A FIFO or a device would block the read.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        *error = Error::Unreadable;
        return false;
    }
    return read(file, error);
}

bool MidiFile::read(QIODevice &device, Error *error)
{
    // Past the size limit the file counts as cut off there.
    return parse(device.read(kMaxFileSize), error);
}

bool MidiFile::parse(const QByteArray &file, Error *error)
{
    *this = MidiFile();
    QByteArray data = file;
    // A RIFF "RMID" file carries the MIDI file in its "data" chunk.
    if (data.startsWith("RIFF") && data.mid(8, 4) == "RMID") {
        const qsizetype at = data.indexOf("MThd", 12);
        data = at < 0 ? QByteArray() : data.mid(at);
    }
    if (data.size() < 14 || !data.startsWith("MThd")) {
        *error = Error::NotMidi;
        return false;
    }
    const quint32 headerLength = bigEndian(data, 4, 4);
    m_format = int(bigEndian(data, 8, 2));
    const quint32 division = bigEndian(data, 12, 2);
    if (headerLength < 6) {
        *error = Error::Damaged;
        return false;
    }
    if (m_format == 2) {
        *error = Error::Unsupported;
        return false;
    }
    MidiTempoMap map = MidiTempoMap::metrical(1);
    if (division & 0x8000) {
        const int fps = -int(qint8(division >> 8));
        const int ticksPerFrame = int(division & 0xFF);
        if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || ticksPerFrame == 0) {
            *error = Error::Damaged;
            return false;
        }
        map = MidiTempoMap::timeCode(fps, ticksPerFrame);
    } else if (division == 0) {
        *error = Error::Damaged;
        return false;
    } else {
        map = MidiTempoMap::metrical(int(division));
    }

    std::vector<TrackEvent> events;
    std::vector<std::pair<qint64, quint32>> tempos;
    qint64 endTick = 0;
    // Chunks follow the header; only "MTrk" ones are tracks, others are skipped by their length.
    qsizetype pos = 8 + qsizetype(headerLength);
    while (pos + 8 <= data.size()) {
        const QByteArray type = data.mid(pos, 4);
        const qint64 length = bigEndian(data, pos + 4, 4);
        const qsizetype start = pos + 8;
        const qsizetype end = qsizetype(qMin<qint64>(start + length, data.size()));
        if (type == "MTrk")
            endTick = qMax(endTick, readTrack(Reader(data, start, end), events, tempos));
        pos = end;
    }
    map.setTempoChanges(std::move(tempos));

    const double lengthUs = map.microsecondsAt(endTick);
    if (lengthUs > double(kMaxLengthUs)) {
        *error = Error::TooLong;
        return false;
    }
    m_lengthUs = std::llround(lengthUs);
    // Tracks were read one after another: a stable sort by tick keeps track order within a tick.
    std::stable_sort(events.begin(), events.end(),
                     [](const TrackEvent &a, const TrackEvent &b) { return a.tick < b.tick; });
    m_events.reserve(events.size());
    for (const TrackEvent &event : events)
        m_events.push_back({std::llround(map.microsecondsAt(event.tick)), event.status, event.data1, event.data2});
    *error = Error::None;
    return true;
}
