// SPDX-License-Identifier: GPL-3.0-or-later
// Lyric search on a synthetic 5000-song card: building the index from the (cached) files, and
// the whole path of one keystroke (fold, match, rank, the first 100 snippets) over lines typed
// letter by letter. Counters: p95 and worst keystroke in ms, the index's memory in MB.
// Run: build/bench/bench_lyricsearch
#include "core/search/lyricindex.h"
#include "core/library/songlibrary.h"
#include "core/model/songfile.h"
#include "benchcard.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

#include <time.h>

namespace {

QStringList g_paths;

// The thread's CPU time: on a machine shared with other builds the wall clock mostly measures them.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double percentile95(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times.value(qsizetype(double(times.size()) * 0.95));
}

void BM_LyricIndexBuild(benchmark::State &state)
{
    qint64 bytes = 0;
    QList<double> cpuTimes;
    for (auto _ : state) {
        const double cpu = cpuMs();
        const LyricIndex index = LyricIndex::build(g_paths);
        cpuTimes << cpuMs() - cpu;
        bytes = index.approximateBytes();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["index_MB"] = double(bytes) / (1024 * 1024);
    state.counters["songs"] = double(g_paths.size());
    state.counters["p95_cpu_ms"] = percentile95(cpuTimes);
}
BENCHMARK(BM_LyricIndexBuild)->Unit(benchmark::kMillisecond);

// What a user types: lines of songs spread over the card, one prefix per keystroke, and a few
// words of a line without its neighbours.
QStringList typedQueries()
{
    QStringList lines;
    for (int i = 0; i < g_paths.size(); i += g_paths.size() / 12) {
        Song song;
        if (!SongFile::load(g_paths.at(i), song, nullptr, SongLoadOptions{false}))
            continue;
        const int stanza = std::min(1, song.stanzaCount() - 1);
        lines << song.lineText(stanza, 0, 0).simplified() + u' ' + song.lineText(stanza, 0, 1).simplified();
    }
    lines << QStringLiteral("pan") << QStringLiteral("\"pan jezus") << QStringLiteral("0153");
    QStringList queries;
    for (const QString &line : std::as_const(lines)) {
        for (qsizetype n = 1; n <= line.size(); ++n)
            queries << line.left(n);
    }
    return queries;
}

void BM_LyricKeystroke(benchmark::State &state)
{
    const LyricIndex index = LyricIndex::build(g_paths);
    const QStringList queries = typedQueries();
    QList<double> times;
    QList<double> cpuTimes;
    int found = 0;
    for (auto _ : state) {
        times.clear();
        cpuTimes.clear();
        for (const QString &query : queries) {
            QElapsedTimer timer;
            timer.start();
            const double cpu = cpuMs();
            const LyricSearchResult result = index.search(query, 100);
            cpuTimes << cpuMs() - cpu;
            times << double(timer.nsecsElapsed()) / 1e6;
            found += result.total;
        }
        benchmark::DoNotOptimize(found);
    }
    state.counters["keystrokes"] = double(times.size());
    state.counters["p95_ms"] = percentile95(times);
    state.counters["p95_cpu_ms"] = percentile95(cpuTimes);
    state.counters["max_ms"] = times.isEmpty() ? 0.0 : *std::max_element(times.cbegin(), times.cend());
}
BENCHMARK(BM_LyricKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runOnSyntheticCard(argc, argv, [](const QString &card) {
        SongLibrary library;
        library.setRoot(card);
        library.scanLibrary(ScanFlag::Songs, {}, ScanOptions::readOnly());
        g_paths = LyricIndex::songPaths(library);
    });
}
