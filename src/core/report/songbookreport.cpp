// SPDX-License-Identifier: GPL-3.0-or-later
// The songbook: a title page, then every song of the number table in ascending order, its
// number in blue and its title in bold over a table of four screens to a row. The title and the
// headings are ordinary paragraphs outside any table.
#include "core/report/reportwriters.h"

#include "core/library/songlibrary.h"
#include "core/model/song.h"
#include "core/report/rtftext.h"
#include "core/report/songbooksongs.h"

#include <algorithm>

namespace ReportWriters {

namespace {

constexpr int kScreensPerRow = 4;
constexpr int kColumnWidth = 2160; // twips: four columns across 6 inches

bool isEmptyLine(QStringView line)
{
    for (const QChar c : line) {
        if (c != u' ')
            return false;
    }
    return true;
}

QStringView lineOf(const QString &screenText, int line)
{
    return QStringView(screenText).mid(line * kLineChars, kLineChars);
}

int nonEmptyLines(const QString &screenText)
{
    int count = 0;
    for (int line = 0; line < kScreenLines; ++line) {
        if (!isEmptyLine(lineOf(screenText, line)))
            ++count;
    }
    return count;
}

// Each table row of four screens carries its own row definition, so that a reader never takes
// the paragraphs around the table for cells of it; a row is not split across pages.
void startRow(RtfOutput &out)
{
    out.raw("\\trowd\\trkeep");
    for (int column = 1; column <= kScreensPerRow; ++column)
        out.raw("\\cellx").number(column * kColumnWidth);
    out.raw("\\pard\\intbl");
}

// The heading is a paragraph of its own, kept on the page of the song's first row.
void writeSong(RtfOutput &out, const Song &song)
{
    out.raw("\\pard\\keepn{\\cf1\\fs36 ").number(song.number()).raw("}{\\b  ").text(song.title()).raw("}\\par");
    out.raw("{\\f1\\fs16");
    int cell = 0;
    for (int stanza = 0; stanza < song.stanzaCount(); ++stanza) {
        for (int screen = 0; screen < song.screenCount(stanza); ++screen) {
            if (cell % kScreensPerRow == 0)
                startRow(out);
            if (screen > 0)
                out.raw("\\par");
            else if (stanza + 1 == song.refrainIndex())
                out.raw("\\par\\cf2 Ref. \\cf0");
            else
                out.raw("\\par  ");
            const QString text = song.screenText(stanza, screen);
            for (int line = 0; line < kScreenLines; ++line) {
                if (!isEmptyLine(lineOf(text, line)))
                    out.raw("\\line ").text(lineOf(text, line));
            }
            out.raw("\\par\\cell");
            if (cell % kScreensPerRow == kScreensPerRow - 1)
                out.raw("\\row");
            ++cell;
        }
    }
    if (cell % kScreensPerRow != 0) {
        for (int i = cell % kScreensPerRow; i < kScreensPerRow; ++i)
            out.raw("\\cell");
        out.raw("\\row");
    }
    out.raw("\\pard}");
}

} // namespace

int estimatedHeight(const Song &song)
{
    int height = 360;
    int screens = 0;
    int rowMax = 0;
    const auto addRow = [&] {
        height += (rowMax * 8 + 8) * 20;
        rowMax = 0;
    };
    for (int stanza = 0; stanza < song.stanzaCount(); ++stanza) {
        for (int screen = 0; screen < song.screenCount(stanza); ++screen) {
            rowMax = std::max(rowMax, nonEmptyLines(song.screenText(stanza, screen)) + 3);
            if (++screens % kScreensPerRow == 0)
                addRow();
        }
    }
    if (screens % kScreensPerRow != 0)
        addRow();
    return height;
}

ReportCounts songbook(RtfOutput &out, const SongLibrary &library, const QString &title, const Progress &progress)
{
    out.raw("{\\rtf")
        .raw("{\\colortbl ;\\red0\\green0\\blue255; \\red255\\green0\\blue0;}")
        .raw("{\\footer\\qr\\fs24\\chpgn\\par}")
        .raw("{\\fonttbl{\\f0\\fswiss\\fcharset238{\\*\\fname Arial;}Arial CE;}"
             "{\\f1\\fmodern\\fprq1\\fcharset238{\\*\\fname Courier New;}Courier New CE;}}");
    out.raw("\\pard{\\qc\\fs48 ").text(title).raw("\\par}").raw("\\page");

    const SongbookSongs book = Songbook::songs(library);
    const QList<SongbookEntry> &songs = book.entries;
    const int total = int(songs.size());
    ReportCounts counts;
    counts.leftOut = book.notInTable;
    int used = 0;
    for (int i = 0; i < total; ++i) {
        if (progress.stopRequested()) {
            counts.stopped = true;
            break;
        }
        progress.file(songs.at(i).name, i, total);
        Song song;
        if (Songbook::loadSong(songs.at(i), song)) {
            const int height = estimatedHeight(song);
            if (startsNewPage(used, height)) {
                out.raw("\\page");
                used = 0;
            }
            used += height;
            writeSong(out, song);
            ++counts.written;
        } else {
            ++counts.leftOut;
        }
        out.flushWhenFull();
        progress.counter(i + 1);
    }
    out.raw("}\r\n");
    return counts;
}

} // namespace ReportWriters
