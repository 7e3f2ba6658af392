// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as a song or a slide: no crash, a song the editor can work with, and a canonical
// form that reads back to the same song and writes back to the same bytes.
#include "core/model/songfile.h"
#include "fuzzsupport.h"

namespace {

void require(bool condition, const char *what)
{
    Fuzz::require(condition, "fuzz_songfile", what);
}

Song readAs(const QByteArray &bytes, SongKind kind, IssueList *issues)
{
    Song song;
    song.setPath(kind == SongKind::Slide ? QStringLiteral("0001 Fuzz.ekr") : QStringLiteral("0001 Fuzz.txt"));
    SongFile::parseFileName(song, song.path());
    SongFile::fromBytes(bytes, song, issues);
    return song;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    for (SongKind kind : {SongKind::Song, SongKind::Slide}) {
        IssueList issues;
        const Song song = readAs(input, kind, &issues);
        require(song.stanzaCount() >= 1 && song.stanzaCount() <= kMaxStanzas, "stanza count");
        require(song.screenCount(0) >= 1, "first stanza without a screen");
        require(issues.size() <= kMaxStanzas * kMaxScreensPerStanza * kScreenLines + 4, "issue list unbounded");
        for (int i = 0; i < song.stanzaCount(); ++i) {
            require(song.screenCount(i) <= kMaxScreensPerStanza, "screen count");
            for (int j = 0; j < song.screenCount(i); ++j)
                require(song.screenText(i, j).size() == kScreenChars, "screen length");
        }
        const QList<SongPosition> walk = song.performancePositions();
        require(walk.size() == song.performanceScreenCount(), "performance walk length");
        for (const SongPosition &at : walk)
            require(song.screenText(at.stanza, at.screen).size() == kScreenChars, "performance walk");
        require(kind == SongKind::Song || song.sequence().isEmpty(), "slide with a sequence");

        const QByteArray canonical = SongFile::toBytes(song);
        IssueList again;
        const Song back = readAs(canonical, kind, &again);
        require(back.sameContent(song), "canonical form reads back differently");
        require(SongFile::toBytes(back) == canonical, "canonical form is not a fixed point");
        for (const LoadIssue &issue : again)
            require(issue.code != IssueCode::ShortLine, "canonical form has short lines");
    }
    return 0;
}
