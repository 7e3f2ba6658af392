// SPDX-License-Identifier: GPL-3.0-or-later
// The songbook: a title page, then every song of the number table in ascending order, its
// number in blue and its title in bold over a table of four screens to a row.
#include "core/report/reportwriters.h"

#include "core/library/songlibrary.h"
#include "core/model/song.h"
#include "core/model/songfile.h"
#include "core/report/rtftext.h"

#include <algorithm>

namespace ReportWriters {

namespace {

constexpr int kScreensPerRow = 4;

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

struct SongRef
{
    QString name; // "0007 Kyrie"
    QString path;
};

// The owners of the song numbers, ascending; numbers outside 1..4999 are never owned.
QList<SongRef> songRefs(const SongLibrary &library)
{
    QList<SongRef> refs;
    const LibraryNumberTable &table = library.numbers(ItemKind::Song);
    const QList<SongGroupFiles> &groups = library.groups();
    for (int number = 0; number < table.size(); ++number) {
        const LibraryNumberTable::Entry &entry = table.entry(number);
        if (!entry.used || entry.fileName.isEmpty() || entry.groupIndex < 0 || entry.groupIndex >= groups.size())
            continue;
        refs.append({entry.fileName, library.songPath(groups.at(entry.groupIndex).name, entry.fileName)});
    }
    return refs;
}

void writeSong(RtfOutput &out, const Song &song)
{
    out.raw("{\\cf1\\fs36 ").number(song.number()).raw("}{\\b  ").text(song.title()).raw("}\\par");
    out.raw("{\\f1\\fs16").raw("\\intbl");
    int cell = 0;
    for (int stanza = 0; stanza < song.stanzaCount(); ++stanza) {
        if (stanza + 1 == song.refrainIndex())
            out.raw("\\par\\cf2 Ref. \\cf0");
        else
            out.raw("\\par  ");
        for (int screen = 0; screen < song.screenCount(stanza); ++screen) {
            if (screen > 0)
                out.raw("\\par");
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
        out.raw("\\row\\pard");
    } else {
        out.raw("\\pard");
    }
    out.raw("}");
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
    for (int column = 1; column <= kScreensPerRow; ++column)
        out.raw("\\cellx").number(column * 2160);
    out.raw("{\\qc\\fs48 ").text(title).raw("\\par}").raw("\\page");

    const QList<SongRef> songs = songRefs(library);
    const int total = int(songs.size());
    ReportCounts counts;
    counts.leftOut = library.songCount() - total;
    int used = 0;
    for (int i = 0; i < total; ++i) {
        if (progress.stopRequested()) {
            counts.stopped = true;
            break;
        }
        progress.file(songs.at(i).name, i, total);
        Song song;
        // Read as it is: a report never rewrites a song on the card.
        if (SongFile::load(songs.at(i).path, song, nullptr, SongLoadOptions{false})) {
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
