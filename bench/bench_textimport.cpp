// SPDX-License-Identifier: GPL-3.0-or-later
// Text import of a pasted hymn of 2560 lines: wrapping, pre-arrangement and placing into a song.
#include "core/editor/textimport.h"
#include "core/model/song.h"

#include <benchmark/benchmark.h>

namespace {

// Numbered stanzas of eight long lines (each wraps to two) and an asterisk refrain between them.
QString pastedHymn()
{
    QString text;
    int lines = 0;
    for (int stanza = 1; lines < TextImport::kMaxLines; ++stanza) {
        text += QString::number(stanza) + u". Pod Twoją obronę uciekamy się, święta Boża Rodzicielko\n";
        for (int k = 0; k < 7; ++k)
            text += u"naszymi prośbami racz nie gardzić w potrzebach naszych\n";
        text += u"Refren: *Zawsze Panno chwalebna i błogosławiona\n\n";
        lines += 20;
    }
    return text;
}

void BM_ArrangeAndImport(benchmark::State &state)
{
    const QString text = pastedHymn();
    // A stanza every eighth block: 32 stanzas of 8 screens take all 256 blocks.
    QList<bool> continuation;
    for (int b = 0; b < TextImport::kMaxBlocks; ++b)
        continuation << (b % kMaxScreensPerStanza != 0);
    for (auto _ : state) {
        const QStringList lines = TextImport::arrangeLines(TextImport::wrapText(text));
        Song song;
        song.insertStanzaAfterCurrent();
        const TextImport::Outcome outcome = TextImport::importLines(song, lines, continuation);
        if (outcome.placed != TextImport::kMaxBlocks)
            state.SkipWithError("not every block was placed");
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["lines"] = double(TextImport::wrapText(text).size());
}
BENCHMARK(BM_ArrangeAndImport)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
