// SPDX-License-Identifier: GPL-3.0-or-later
// MIDI playback: the cost of a seek near the end of a 5-minute accompaniment (what a jump of the
// timing dialog's position slider costs before the sound goes on), and how many seconds of
// audio FluidSynth renders per second. The sound font is the system's (none: silence, which
// still measures the event replay). The file is written into a temporary folder.
#include "audio/mididecoder.h"
#include "core/music/soundfontsearch.h"
#include "midifixture.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

// Five minutes at 120 BPM (480 ticks a quarter): four voices in eighths, a volume change every
// beat on each and a pitch wheel moving every sixteenth: about 14,000 events.
QByteArray fiveMinutes()
{
    constexpr int kBeats = 600;
    MidiTrack tempo;
    tempo.tempo(0, 500000).end(kBeats * 480);
    QList<MidiTrack> tracks{tempo};
    for (int voice = 0; voice < 4; ++voice) {
        MidiTrack track;
        track.raw(0, midiBytes({0xC0 | voice, voice * 8}));
        for (int beat = 0; beat < kBeats; ++beat) {
            track.raw(0, midiBytes({0xB0 | voice, 7, 60 + beat % 40}));
            for (int eighth = 0; eighth < 2; ++eighth) {
                if (voice == 0)
                    track.raw(0, midiBytes({0xE0, 0, 64 + (beat + eighth) % 8})).raw(120, midiBytes({0xE0, 0, 64}));
                track.note(0, 48 + voice * 7 + beat % 12, voice == 0 ? 120 : 240, voice);
            }
        }
        tracks << track.end();
    }
    return midiFile(1, 480, tracks);
}

const QString &fixture()
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("five-minutes.mid"));
    static const bool written = writeBytes(path, fiveMinutes());
    if (!written)
        std::abort();
    return path;
}

void openWithFont(MidiDecoder &decoder, benchmark::State &state)
{
    QString reason;
    if (!decoder.open(fixture(), &reason))
        state.SkipWithError(qPrintable(reason));
    decoder.startSynth(findSoundFont(QString()));
}

void BM_MidiSeekNearTheEnd(benchmark::State &state)
{
    MidiDecoder decoder;
    openWithFont(decoder, state);
    std::vector<float> chunk(AudioDecoder::kChunkFrames * 2);
    for (auto _ : state) {
        decoder.seek(270LL * MidiDecoder::kSampleRate);
        // The first chunk the sound device takes after the seek.
        benchmark::DoNotOptimize(decoder.readStereo(chunk.data(), AudioDecoder::kChunkFrames));
    }
    state.counters["events"] = double(decoder.file().events().size());
}
BENCHMARK(BM_MidiSeekNearTheEnd)->Unit(benchmark::kMillisecond);

void BM_MidiRender(benchmark::State &state)
{
    MidiDecoder decoder;
    openWithFont(decoder, state);
    std::vector<float> chunk(AudioDecoder::kChunkFrames * 2);
    qint64 frames = 0;
    for (auto _ : state) {
        if (decoder.atEnd())
            decoder.seek(0);
        frames += decoder.readStereo(chunk.data(), AudioDecoder::kChunkFrames);
    }
    state.counters["audio_s_per_s"] = benchmark::Counter(double(frames) / MidiDecoder::kSampleRate,
                                                         benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MidiRender)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
