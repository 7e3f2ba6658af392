// SPDX-License-Identifier: GPL-3.0-or-later
// The two indexes: the songs of each group by number, and every song by title.
#include "core/report/reportwriters.h"

#include "core/library/songlibrary.h"
#include "core/library/titlecollation.h"
#include "core/model/itemname.h"
#include "core/report/rtftext.h"

namespace ReportWriters {

namespace {

constexpr qsizetype kMaxIndexTitle = 100;

void writeHeader(RtfOutput &out, const QString &title)
{
    out.raw("{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238{\\*\\fname Arial;}Arial CE;}}\r\n")
        .raw("{\\colortbl ;\\red0\\green0\\blue255;}\r\n")
        .raw("\\viewkind4\\uc1\\pard\\qc\\lang1045\\f0\\fs48 ")
        .text(title)
        .raw("\\par\r\n");
}

} // namespace

ReportCounts numberIndex(RtfOutput &out, const SongLibrary &library, const QString &title, const Progress &progress)
{
    writeHeader(out, title);
    const int total = library.songCount();
    ReportCounts counts;
    bool first = true;
    // The groups and their files in listing order (by name, so by number), never the tree's sort.
    // A copy: the progress callbacks let events run, and a card change may rescan the library.
    const QList<SongGroupFiles> groups = library.groups();
    for (const SongGroupFiles &group : groups) {
        if (progress.stopRequested()) {
            counts.stopped = true;
            break;
        }
        out.raw(first ? "\\cf1\\fs36 " : "\\pard\\qc\\tx8647\\cf1\\fs36 ").text(group.name).raw("\\par\r\n");
        first = false;
        if (!group.files.isEmpty())
            out.raw("\\par\r\n\\pard\\tx8647\\cf0\\fs24\r\n");
        for (const QString &name : group.files) {
            if (progress.stopRequested()) {
                counts.stopped = true;
                break;
            }
            progress.file(name, counts.written, total);
            out.raw("[").text(QStringView(name).left(4)).raw("]").text(QStringView(name).mid(4)).raw("\\par\r\n");
            out.flushWhenFull();
            progress.counter(++counts.written);
        }
        if (counts.stopped)
            break;
    }
    out.raw("}\r\n");
    return counts;
}

ReportCounts alphabetical(RtfOutput &out, const SongLibrary &library, const QString &title, const Progress &progress)
{
    writeHeader(out, title);
    QStringList names;
    names.reserve(library.songCount());
    for (const SongGroupFiles &group : library.groups())
        names += group.files;
    // Equal titles are ordered by the whole name, whose first four characters are the number.
    TitleCollation::sortNames(names, TitleCollation::SortMode::ByTitle);

    out.raw("\\pard\\tx7952\\fs24\r\n");
    const int total = int(names.size());
    ReportCounts counts;
    for (const QString &name : std::as_const(names)) {
        if (progress.stopRequested()) {
            counts.stopped = true;
            break;
        }
        progress.file(name, counts.written, total);
        out.text(QStringView(name).mid(ItemName::kTitleStart, kMaxIndexTitle))
            .raw(" \\tab [")
            .raw(QString::asprintf("%.4d", ItemName::number(name)).toLatin1())
            .raw("] \\par\r\n");
        out.flushWhenFull();
        progress.counter(++counts.written);
    }
    out.raw("}\r\n");
    return counts;
}

} // namespace ReportWriters
