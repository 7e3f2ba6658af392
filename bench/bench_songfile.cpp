// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing a library of 5000 songs: through the file system (warm cache) and in memory.
#include "core/model/boardcharset.h"
#include "core/model/songfile.h"
#include "synth/syntheticsongs.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kSongs = 5000;

struct Corpus
{
    QTemporaryDir dir;
    QStringList paths;
    QList<Song> songs;
    QList<QByteArray> bytes;
    qint64 totalBytes = 0;

    Corpus()
    {
        SyntheticSongs::Options options;
        options.count = kSongs;
        options.seed = 20261206;
        QString error;
        if (!dir.isValid() || !SyntheticSongs::writeSongs(dir.path(), options, &error)) {
            std::fprintf(stderr, "cannot write the corpus: %s\n", qPrintable(error));
            std::exit(1);
        }
        const QStringList names = QDir(dir.path()).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
        for (const QString &name : names) {
            paths.append(dir.filePath(name));
            Song song;
            SongFile::load(paths.last(), song, nullptr, SongLoadOptions{false});
            songs.append(song);
            bytes.append(SongFile::toBytes(song));
            totalBytes += bytes.last().size();
        }
    }
};

Corpus &corpus()
{
    static Corpus instance;
    return instance;
}

void setCounters(benchmark::State &state)
{
    state.SetItemsProcessed(state.iterations() * corpus().paths.size());
    state.SetBytesProcessed(state.iterations() * corpus().totalBytes);
}

// The whole library from disk, as a card scan reads it.
void BM_ReadLibraryFromDisk(benchmark::State &state)
{
    Corpus &c = corpus();
    for (auto _ : state) {
        int stanzas = 0;
        for (const QString &path : c.paths) {
            Song song;
            SongFile::load(path, song, nullptr, SongLoadOptions{false});
            stanzas += song.stanzaCount();
        }
        benchmark::DoNotOptimize(stanzas);
    }
    setCounters(state);
}
BENCHMARK(BM_ReadLibraryFromDisk)->Unit(benchmark::kMillisecond);

// The same with an issue list, as the scan passes one.
void BM_ReadLibraryFromDiskWithIssues(benchmark::State &state)
{
    Corpus &c = corpus();
    for (auto _ : state) {
        IssueList issues;
        for (const QString &path : c.paths) {
            Song song;
            SongFile::load(path, song, &issues, SongLoadOptions{false});
        }
        benchmark::DoNotOptimize(issues.size());
    }
    setCounters(state);
}
BENCHMARK(BM_ReadLibraryFromDiskWithIssues)->Unit(benchmark::kMillisecond);

// Every song saved through a temporary file and a rename.
void BM_WriteLibraryToDisk(benchmark::State &state)
{
    Corpus &c = corpus();
    QTemporaryDir out;
    QStringList targets;
    for (const QString &path : c.paths)
        targets.append(out.filePath(QFileInfo(path).fileName()));
    for (auto _ : state) {
        for (qsizetype i = 0; i < c.songs.size(); ++i) {
            Song song = c.songs[i];
            if (!SongFile::save(targets[i], song))
                state.SkipWithError("save failed");
        }
    }
    setCounters(state);
}
BENCHMARK(BM_WriteLibraryToDisk)->Unit(benchmark::kMillisecond);

// Parsing alone: the library's bytes from memory.
void BM_ParseLibraryInMemory(benchmark::State &state)
{
    Corpus &c = corpus();
    for (auto _ : state) {
        for (qsizetype i = 0; i < c.bytes.size(); ++i) {
            QBuffer buffer(&c.bytes[i]);
            buffer.open(QIODevice::ReadOnly);
            Song song;
            song.setPath(c.paths[i]);
            SongFile::read(buffer, song);
            benchmark::DoNotOptimize(song.stanzaCount());
        }
    }
    setCounters(state);
}
BENCHMARK(BM_ParseLibraryInMemory)->Unit(benchmark::kMillisecond);

// Serialising alone.
void BM_SerializeLibraryInMemory(benchmark::State &state)
{
    Corpus &c = corpus();
    for (auto _ : state) {
        for (const Song &song : c.songs)
            benchmark::DoNotOptimize(SongFile::toBytes(song));
    }
    setCounters(state);
}
BENCHMARK(BM_SerializeLibraryInMemory)->Unit(benchmark::kMillisecond);

void BM_DecodeScreen(benchmark::State &state)
{
    const QByteArray bytes = BoardCharset::encode(corpus().songs.first().screenText(0, 0));
    QString text(kScreenChars, Qt::Uninitialized);
    for (auto _ : state) {
        BoardCharset::decodeInto(bytes, CharsetMode::Latin, text.data());
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeScreen);

void BM_EncodeScreen(benchmark::State &state)
{
    const QString text = corpus().songs.first().screenText(0, 0);
    QByteArray bytes(kScreenChars, Qt::Uninitialized);
    for (auto _ : state) {
        BoardCharset::encodeInto(text, bytes.data());
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_EncodeScreen);

// "song show" on a 40 000-entry sequence (the longest line allows 500 000): the walk over every
// screen in performance order must stay linear, well under a second.
void BM_PerformanceWalk40000(benchmark::State &state)
{
    Song song = corpus().songs.first();
    QList<int> sequence;
    for (int i = 0; i < 40000; ++i)
        sequence.append(1 + i % song.stanzaCount());
    song.setSequence(sequence);
    for (auto _ : state) {
        const QList<SongPosition> walk = song.performancePositions();
        benchmark::DoNotOptimize(walk.constData());
    }
    state.SetItemsProcessed(state.iterations() * 40000);
}
BENCHMARK(BM_PerformanceWalk40000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
