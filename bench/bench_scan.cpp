// SPDX-License-Identifier: GPL-3.0-or-later
// The library scan of a synthetic 5000-song card against reading the same files' bytes, and
// the reports of that card.
// Run: build/bin/bench_scan (the card is generated once into a temporary folder). BM_ScanFull
// uses the default number of reading threads, min(4, cores).
#include "core/util/fileutils.h"
#include "core/library/songlibrary.h"
#include "core/report/report.h"
#include "benchcard.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

QString g_card;

QString cardRoot()
{
    return g_card + u'/';
}

// Every library file's bytes, read in a plain loop over the same listings the scan makes. The
// scans and this loop are timed by the wall clock: the scan's reading threads do not show in the
// calling thread's CPU time.
void BM_ReadAllFiles(benchmark::State &state)
{
    qint64 bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        const QString root = cardRoot();
        for (const QString &dir : sortedEntries(root, QDir::Dirs | QDir::NoSymLinks)) {
            for (const QString &name : sortedEntries(root + dir, QDir::Files | QDir::NoSymLinks)) {
                QFile file(root + dir + u'/' + name);
                if (file.open(QIODevice::ReadOnly))
                    bytes += file.readAll().size();
            }
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_ReadAllFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

void scan(benchmark::State &state, ScanFlags flags, int workers = 0)
{
    int issues = 0;
    ScanOptions options = ScanOptions::readOnly();
    options.workers = workers;
    for (auto _ : state) {
        SongLibrary library;
        library.setRoot(cardRoot());
        library.scanLibrary(flags, {}, options);
        issues = int(library.issues().size());
        benchmark::DoNotOptimize(issues);
    }
    state.counters["issues"] = issues;
}

void BM_ScanFull(benchmark::State &state)
{
    scan(state, kFullRefreshScan);
}
BENCHMARK(BM_ScanFull)->Unit(benchmark::kMillisecond)->UseRealTime();

// The full scan with a given number of reading threads (1: everything on the calling thread).
void BM_ScanFullWorkers(benchmark::State &state)
{
    scan(state, kFullRefreshScan, int(state.range(0)));
}
BENCHMARK(BM_ScanFullWorkers)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScanWithoutContents(benchmark::State &state)
{
    scan(state, kRefreshScan);
}
BENCHMARK(BM_ScanWithoutContents)->Unit(benchmark::kMillisecond);

// The parts, for finding where the time goes: 1 listing only, 17 listing and number checks,
// 25 with every song read, 18 the slides, 20 the playlists alone (nothing resolves).
void BM_ScanPart(benchmark::State &state)
{
    scan(state, ScanFlags::fromInt(int(state.range(0))));
}
BENCHMARK(BM_ScanPart)->Arg(1)->Arg(17)->Arg(25)->Arg(18)->Arg(20)->Unit(benchmark::kMillisecond);

// The reports of the scanned card, written into memory: the songbook reads every song again.
void report(benchmark::State &state, ReportKind kind)
{
    SongLibrary library;
    library.setRoot(cardRoot());
    library.scanLibrary(ScanFlag::Songs | ScanFlag::CheckNumbers, {}, ScanOptions::readOnly());
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        Report::write(buffer, kind, library, QStringLiteral("Title"));
        bytes = buffer.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = double(bytes);
}

void BM_ReportSongbook(benchmark::State &state)
{
    report(state, ReportKind::Songbook);
}
BENCHMARK(BM_ReportSongbook)->Unit(benchmark::kMillisecond);

void BM_ReportAlphabetical(benchmark::State &state)
{
    report(state, ReportKind::Alphabetical);
}
BENCHMARK(BM_ReportAlphabetical)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runOnSyntheticCard(argc, argv, [](const QString &card) { g_card = card; });
}
