// SPDX-License-Identifier: GPL-3.0-or-later
// The music player's decoder: the open time of a 3-hour MP3, and how many seconds of stereo
// audio per second it decodes and scales by the gain, for MP3 and WAV. The files are written
// once into $LUMIVOX_BENCH_MUSIC_DIR (default: /tmp/lumivox-bench-music); the 3-hour MP3 takes
// minutes to encode the first time.
#include "audio/soundfiledecoder.h"
#include "gui/music/pcmsource.h"
#include "tonefile/tonefile.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

QString fixture(const QString &name, const ToneFile::ToneShape &shape)
{
    const QByteArray env = qgetenv("LUMIVOX_BENCH_MUSIC_DIR");
    const QString dir = env.isEmpty() ? QStringLiteral("/tmp/lumivox-bench-music") : QString::fromLocal8Bit(env);
    QDir().mkpath(dir);
    const QString path = dir + u'/' + name;
    if (QFile::exists(path))
        return path;
    std::fprintf(stderr, "writing %s\n", qPrintable(path));
    QString error;
    const QString partial = path + u".part";
    if (!ToneFile::write(partial, shape, &error) || !QFile::rename(partial, path)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(error));
        std::exit(1);
    }
    return path;
}

void BM_OpenThreeHourMp3(benchmark::State &state)
{
    // Mono at 22.05 kHz: as many MP3 frames as at 44.1 kHz (576 samples a frame instead of
    // 1152), for a quarter of the encoding time.
    const QString path = fixture(QStringLiteral("three-hours.mp3"),
                                 {22050, 1, 3LL * 3600 * 22050, ToneFile::Format::Mp3});
    qint64 frames = 0;
    for (auto _ : state) {
        SoundFileDecoder decoder;
        QString reason;
        if (!decoder.open(path, &reason))
            state.SkipWithError(qPrintable(reason));
        frames = decoder.frames();
    }
    state.counters["length_s"] = double(frames) / 22050;
}
BENCHMARK(BM_OpenThreeHourMp3)->Unit(benchmark::kMillisecond);

void decode(benchmark::State &state, ToneFile::Format format, const QString &name)
{
    constexpr qint64 kFrames = 60 * 44100;
    const QString path = fixture(name, {44100, 2, kFrames, format});
    std::vector<qint16> out(SoundFileDecoder::kChunkFrames * 2);
    for (auto _ : state) {
        SoundFileDecoder decoder;
        QString reason;
        if (!decoder.open(path, &reason))
            state.SkipWithError(qPrintable(reason));
        PcmSource source(decoder);
        source.setVolume(700, 300);
        while (source.readFrames(out.data(), SoundFileDecoder::kChunkFrames) > 0)
            benchmark::DoNotOptimize(out.data());
        if (source.framesHandedOut() < kFrames - 44100)
            state.SkipWithError("short decode");
    }
    // Seconds of audio decoded per second of time.
    state.counters["audio_s_per_s"] = benchmark::Counter(60.0 * double(state.iterations()),
                                                         benchmark::Counter::kIsRate);
}

void BM_DecodeMp3(benchmark::State &state)
{
    decode(state, ToneFile::Format::Mp3, QStringLiteral("minute.mp3"));
}
void BM_DecodeWav(benchmark::State &state)
{
    decode(state, ToneFile::Format::Wav, QStringLiteral("minute.wav"));
}
BENCHMARK(BM_DecodeMp3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeWav)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
