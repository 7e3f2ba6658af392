// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile lyric files near the 4 MiB cap, one row per reader: 40 000 sections, one 4 MiB line,
// deep nesting. Each is read, narrowed to one language, mapped and laid out (or refused); every
// row is to finish well under a second.
#include "core/lyrics/lyricfile.h"
#include "core/lyrics/lyriclanguage.h"
#include "core/lyrics/lyriclayout.h"
#include "core/lyrics/lyricmapping.h"
#include "core/model/song.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kSections = 40000;

QByteArray repeatedSections(const char *before, const char *section, const char *after)
{
    QByteArray bytes = before;
    for (int i = 0; i < kSections; ++i)
        bytes += QByteArray(section).replace("%", QByteArray::number(i));
    return bytes + after;
}

void runFile(benchmark::State &state, const QByteArray &bytes)
{
    for (auto _ : state) {
        LyricFile::Contents contents;
        if (LyricFile::read(bytes, QStringLiteral("1 Song.txt"), {}, contents, nullptr)) {
            LyricLanguage::keepOnly(contents.song, LyricLanguage::choose(contents.song, {}, QStringLiteral("pl")),
                                    nullptr);
            LyricNotes notes;
            const LyricPlan plan = LyricMapping::map(contents.song, notes);
            Song song;
            benchmark::DoNotOptimize(LyricLayout::layout(plan, 20, 10, song, notes, nullptr));
        }
    }
    state.counters["bytes"] = double(bytes.size());
}

} // namespace

int main(int argc, char **argv)
{
    const std::pair<const char *, QByteArray> rows[] = {
        {"OpenLyrics/sections",
         repeatedSections("<song xmlns=\"http://openlyrics.info/namespace/2009/song\"><lyrics>",
                          "<verse name=\"v%\"><lines>x</lines></verse>", "</lyrics></song>")},
        {"OpenLyrics/same name",
         repeatedSections("<song><properties/><lyrics>", "<verse name=\"v1\" lang=\"l%\"><lines>x</lines></verse>",
                          "</lyrics></song>")},
        {"OpenLyrics/deep nesting", "<song><lyrics>" + QByteArray("<a>").repeated(1300000) + "</song>"},
        {"OpenSong/sections", repeatedSections("<song><lyrics>", "[V%]\n x\n", "</lyrics></song>")},
        {"ChordPro/sections", repeatedSections("{title: t}\n", "{soc}\nx %\n{eoc}\n", "")},
        {"SongBeamer/slides", repeatedSections("#Title=t\n---\n", "Vers %\nx\n---\n", "")},
        {"text/stanzas", repeatedSections("", "%. x\n\n", "")},
        {"text/one line", QByteArray(4 * 1024 * 1024 - 1, 'a')},
    };
    for (const auto &[name, bytes] : rows)
        benchmark::RegisterBenchmark(name, runFile, bytes)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
