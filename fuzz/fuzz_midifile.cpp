// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as a MIDI file: no crash or hang, and what is read holds together: events in
// time order, none past the length, the length within its limit.
#include "core/music/midifile.h"
#include "fuzzsupport.h"

#include <QBuffer>

namespace {

void require(bool condition, const char *what)
{
    Fuzz::require(condition, "fuzz_midifile", what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray input = Fuzz::bytes(data, size);
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    MidiFile file;
    MidiFile::Error error = MidiFile::Error::Unreadable;
    const bool read = file.read(buffer, &error);
    require(read == (error == MidiFile::Error::None), "the result and the error disagree");
    if (!read) {
        require(file.events().empty() && file.lengthUs() == 0, "a refused file kept events");
        return 0;
    }
    require(file.lengthUs() >= 0 && file.lengthUs() <= MidiFile::kMaxLengthUs, "length out of range");
    qint64 last = 0;
    for (const MidiEvent &event : file.events()) {
        require(event.timeUs >= last, "events out of order");
        require(event.timeUs <= file.lengthUs(), "an event after the end");
        require(event.status >= 0x80 && event.status < 0xF0, "not a channel message");
        require(event.data1 < 0x80 && event.data2 < 0x80, "a data byte with its top bit set");
        last = event.timeUs;
    }
    return 0;
}
