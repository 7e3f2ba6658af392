// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/audiodecoder.h"
#include "core/music/midifile.h"

#include <memory>

struct MidiSynth;

// A MIDI file rendered with FluidSynth at 44100 Hz. The length is the file's tempo-map length;
// without a synthesizer (none started, or no sound font) the frames are silence of that length.
// A seek resets the synthesizer and replays the controller, program and pitch messages before
// the target instantly (notes are skipped), so it costs no rendering.
class MidiDecoder final : public AudioDecoder
{
public:
    static constexpr int kSampleRate = 44100;
    enum class FontResult { Loaded, NoFont, FontFailed };

    MidiDecoder();
    ~MidiDecoder() override;

    // On failure reason gets a text for the user.
    bool open(const QString &path, QString *reason);
    static QString reasonText(MidiFile::Error error);
    // Starts the synthesizer with the sound font at fontPath (empty: none). Without a loaded
    // font the synthesizer still runs and renders silence.
    FontResult startSynth(const QString &fontPath);
    const MidiFile &file() const { return m_file; }

    QString format() const override { return QStringLiteral("midi"); }
    int sampleRate() const override { return kSampleRate; }
    int channels() const override { return 2; }
    qint64 frames() const override { return m_frames; }
    qint64 frame() const override { return m_frame; }
    bool atEnd() const override { return m_frame >= m_frames; }
    bool seek(qint64 frame) override;
    qint64 readStereo(float *out, qint64 maxFrames) override;

private:
    void send(const MidiEvent &event, bool notes);
    qint64 eventFrame(size_t index) const;

    MidiFile m_file;
    std::unique_ptr<MidiSynth> m_synth;
    qint64 m_frames = 0;
    qint64 m_frame = 0;
    size_t m_next = 0; // the first event not yet sent
};
