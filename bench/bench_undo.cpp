// SPDX-License-Identifier: GPL-3.0-or-later
// The song editor's history: 200 structural commands on a full song of 32 stanzas of 8 screens,
// the heap they hold, and one undo and redo of a snapshot.
#include "core/editor/songediting.h"
#include "gui/editor/songcommands.h"

#include <QUndoStack>

#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

struct QuietView : SongCommandView
{
    Song song;
    Song &commandSong() override { return song; }
    void showCommandResult(int, bool) override {}
};

void fill(Song &song)
{
    for (int stanza = 0; stanza < kMaxStanzas; ++stanza) {
        song.insertStanzaAfterCurrent();
        for (int screen = 0; screen < kMaxScreensPerStanza; ++screen) {
            if (screen > 0)
                song.addScreenAfterCurrent();
            song.setCurrentScreenText(QStringLiteral("Zwrotka %1 ekran %2 ").arg(stanza).arg(screen).repeated(8));
        }
    }
    song.setAlternatingSequence();
}

// Each edit changes one screen and moves a sequence entry, as a user's layout edits do.
void pushEdits(QuietView &view, QUndoStack &stack, int count)
{
    for (int i = 0; i < count; ++i) {
        const ChangeSong::State before{SongSnapshot::of(view.song), 0};
        view.song.setScreenText(i % kMaxStanzas, i / kMaxStanzas % kMaxScreensPerStanza, QString(kScreenChars, u'x'));
        SongEditing::moveEntry(view.song, 0, view.song.sequenceLength() - 1);
        stack.push(new ChangeSong(view, 0, before, {SongSnapshot::of(view.song), 0}));
    }
}

void BM_HistoryHeap(benchmark::State &state)
{
    for (auto _ : state) {
        QuietView view;
        fill(view.song);
        QUndoStack stack;
        stack.setUndoLimit(200);
        const size_t start = mallinfo2().uordblks;
        pushEdits(view, stack, 200);
        state.counters["heap_MB"] = double(mallinfo2().uordblks - start) / (1024.0 * 1024.0);
    }
}
BENCHMARK(BM_HistoryHeap)->Unit(benchmark::kMillisecond);

void BM_UndoRedoSnapshot(benchmark::State &state)
{
    QuietView view;
    fill(view.song);
    QUndoStack stack;
    stack.setUndoLimit(200);
    pushEdits(view, stack, 200);
    for (auto _ : state) {
        stack.undo();
        stack.redo();
    }
}
BENCHMARK(BM_UndoRedoSnapshot)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
