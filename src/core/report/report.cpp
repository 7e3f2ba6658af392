// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/report.h"

#include "core/report/reportwriters.h"
#include "core/report/rtftext.h"
#include "core/util/atomicsave.h"
#include "core/util/fileutils.h"
#include "core/util/textids.h"

#include <QDir>
#include <QFileInfo>

namespace Report {

int titleTextId(ReportKind kind)
{
    return kind == ReportKind::Alphabetical ? Txt::ReportTitleAlphabetical : Txt::ReportTitle;
}

int fileNameTextId(ReportKind kind)
{
    switch (kind) {
    case ReportKind::Songbook:
        return Txt::ReportFileSongbook;
    case ReportKind::NumberIndex:
        return Txt::ReportFileNumberIndex;
    case ReportKind::Alphabetical:
        break;
    }
    return Txt::ReportFileAlphabetical;
}

QString fileName(ReportKind kind, const QString &languageText)
{
    QString name = languageText;
    if (!isPlainFileName(name)) {
        switch (kind) {
        case ReportKind::Songbook:
            name = QStringLiteral("Teksty pieśni.rtf");
            break;
        case ReportKind::NumberIndex:
            name = QStringLiteral("Spis pieśni.rtf");
            break;
        case ReportKind::Alphabetical:
            name = QStringLiteral("Alfabetyczny wykaz pieśni.rtf");
            break;
        }
    }
    if (!name.endsWith(u".rtf", Qt::CaseInsensitive))
        name += u".rtf";
    return name;
}

QString freeFileName(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    if (!QFileInfo::exists(dir.filePath(name)))
        return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    for (int n = 2;; ++n) {
        const QString candidate = base + QStringLiteral(" (%1)").arg(n) + extension;
        if (!QFileInfo::exists(dir.filePath(candidate)))
            return candidate;
    }
}

bool write(QIODevice &device, ReportKind kind, const SongLibrary &library, const QString &title,
           const Progress &progress, ReportCounts *counts, QString *error)
{
    RtfOutput out(device);
    ReportCounts result;
    switch (kind) {
    case ReportKind::Songbook:
        result = ReportWriters::songbook(out, library, title, progress);
        break;
    case ReportKind::NumberIndex:
        result = ReportWriters::numberIndex(out, library, title, progress);
        break;
    case ReportKind::Alphabetical:
        result = ReportWriters::alphabetical(out, library, title, progress);
        break;
    }
    if (counts)
        *counts = result;
    if (!out.flush()) {
        if (error)
            *error = out.error();
        return false;
    }
    return true;
}

bool save(const QString &path, ReportKind kind, const SongLibrary &library, const QString &title,
          const Progress &progress, ReportCounts *counts, QString *error)
{
    QString writeError;
    const bool saved = saveAtomically(
        path, [&](QIODevice &device) { return write(device, kind, library, title, progress, counts, &writeError); },
        error);
    if (!saved && error && error->isEmpty())
        *error = writeError;
    return saved;
}

} // namespace Report
