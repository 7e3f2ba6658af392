// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/mididecoder.h"

#include "core/app/language.h"

#include <QFile>

#include <fluidsynth.h>

#include <algorithm>
#include <cstring>
#include <mutex>

struct MidiSynth
{
    fluid_settings_t *settings = nullptr;
    fluid_synth_t *synth = nullptr;
    ~MidiSynth()
    {
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }
};

namespace {

// FluidSynth writes its complaints to stderr; the user gets this program's own messages.
void silenceFluidSynthLog()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

qint64 toFrame(qint64 us)
{
    return (us * MidiDecoder::kSampleRate + 500000) / 1000000;
}

} // namespace

MidiDecoder::MidiDecoder() = default;
MidiDecoder::~MidiDecoder() = default;

QString MidiDecoder::reasonText(MidiFile::Error error)
{
    switch (error) {
    case MidiFile::Error::None:
        return {};
    case MidiFile::Error::NotMidi:
        return Lang::text(Txt::MidiFileInvalid);
    case MidiFile::Error::Unsupported:
        return Lang::text(Txt::MidiTypeUnsupported);
    case MidiFile::Error::Damaged:
    case MidiFile::Error::TooLong:
        return Lang::text(Txt::MusicFileDamaged);
    case MidiFile::Error::Unreadable:
        break;
    }
    return Lang::text(Txt::MusicFileUnreadable);
}

bool MidiDecoder::open(const QString &path, QString *reason)
{
    m_synth.reset();
    m_frames = m_frame = 0;
    m_next = 0;
    MidiFile::Error error = MidiFile::Error::None;
    if (!m_file.load(path, &error)) {
        *reason = reasonText(error);
        return false;
    }
    m_frames = toFrame(m_file.lengthUs());
    return true;
}

MidiDecoder::FontResult MidiDecoder::startSynth(const QString &fontPath)
{
    silenceFluidSynthLog();
    auto synth = std::make_unique<MidiSynth>();
    synth->settings = new_fluid_settings();
    if (!synth->settings)
        return FontResult::FontFailed;
    fluid_settings_setnum(synth->settings, "synth.sample-rate", kSampleRate);
    fluid_settings_setint(synth->settings, "synth.lock-memory", 0);
    fluid_settings_setnum(synth->settings, "synth.gain", 0.5);
    synth->synth = new_fluid_synth(synth->settings);
    if (!synth->synth)
        return FontResult::FontFailed;
    FontResult result = FontResult::NoFont;
    if (!fontPath.isEmpty()) {
        result = fluid_synth_sfload(synth->synth, QFile::encodeName(fontPath).constData(), 1) == FLUID_FAILED
            ? FontResult::FontFailed
            : FontResult::Loaded;
    }
    m_synth = std::move(synth);
    seek(m_frame);
    return result;
}

qint64 MidiDecoder::eventFrame(size_t index) const
{
    return toFrame(m_file.events()[index].timeUs);
}

void MidiDecoder::send(const MidiEvent &event, bool notes)
{
    fluid_synth_t *synth = m_synth->synth;
    const int channel = event.status & 0x0F;
    switch (event.status & 0xF0) {
    case 0x80:
        if (notes)
            fluid_synth_noteoff(synth, channel, event.data1);
        break;
    case 0x90:
        if (notes)
            fluid_synth_noteon(synth, channel, event.data1, event.data2);
        break;
    case 0xA0:
        if (notes)
            fluid_synth_key_pressure(synth, channel, event.data1, event.data2);
        break;
    case 0xB0:
        fluid_synth_cc(synth, channel, event.data1, event.data2);
        break;
    case 0xC0:
        fluid_synth_program_change(synth, channel, event.data1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(synth, channel, event.data1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(synth, channel, event.data1 | (event.data2 << 7));
        break;
    }
}

bool MidiDecoder::seek(qint64 frame)
{
    m_frame = qBound<qint64>(0, frame, m_frames);
    const std::vector<MidiEvent> &events = m_file.events();
    m_next = 0;
    if (m_synth)
        fluid_synth_system_reset(m_synth->synth);
    // The state the channels would be in at the target, without the notes sounding before it.
    while (m_next < events.size() && eventFrame(m_next) < m_frame) {
        if (m_synth)
            send(events[m_next], false);
        ++m_next;
    }
    return true;
}

qint64 MidiDecoder::readStereo(float *out, qint64 maxFrames)
{
    const std::vector<MidiEvent> &events = m_file.events();
    qint64 done = 0;
    maxFrames = qMin(maxFrames, m_frames - m_frame);
    while (done < maxFrames) {
        while (m_next < events.size() && eventFrame(m_next) <= m_frame) {
            if (m_synth)
                send(events[m_next], true);
            ++m_next;
        }
        qint64 span = qMin(maxFrames - done, kChunkFrames);
        if (m_next < events.size())
            span = qMin(span, eventFrame(m_next) - m_frame);
        float *dst = out + done * 2;
        if (m_synth)
            fluid_synth_write_float(m_synth->synth, int(span), dst, 0, 2, dst, 1, 2);
        else
            std::memset(dst, 0, size_t(span) * 2 * sizeof(float));
        done += span;
        m_frame += span;
    }
    return done;
}
