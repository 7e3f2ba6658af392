// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/util/progress.h"

#include <QString>

class QIODevice;
class SongLibrary;

// The three RTF documents about a scanned library.
enum class ReportKind {
    Songbook = 0,     // every song's text, four screens to a table row
    NumberIndex = 1,  // the songs of each group in listing order, "[NNNN] Title"
    Alphabetical = 2, // every song by title, with its number
};

// What a report wrote. The songbook leaves out songs outside 1..4999, the later files with a
// number taken before them, and files that cannot be read; the indexes leave out nothing.
struct ReportCounts
{
    int written = 0;
    int leftOut = 0;
    bool stopped = false; // the stop flag ended the report early; the document is still closed
};

namespace Report {

// The document's title and the default file name, as text ids of the language.
int titleTextId(ReportKind kind);
int fileNameTextId(ReportKind kind);
// The file name a language gives: it must be one plain path component, else the built-in
// Polish name is used; ".rtf" is added when missing.
QString fileName(ReportKind kind, const QString &languageText);
// name, or "base (2).rtf", "base (3).rtf", ... : the first name not yet taken in folder.
QString freeFileName(const QString &folder, const QString &name);

// Writes a report of library (as scanned with its song numbers checked). Before each song the
// progress hears the song's name, how many were handled and the report's total; after it the
// count handled; the library may change in between (the report keeps what it needs from the
// start). The stop flag ends the report after the current song, closing the document
// all the same. False, with the device's reason, when a write failed.
bool write(QIODevice &device, ReportKind kind, const SongLibrary &library, const QString &title,
           const Progress &progress = {}, ReportCounts *counts = nullptr, QString *error = nullptr);
// The same into path through the atomic save: a failed write leaves a previous file as it was.
bool save(const QString &path, ReportKind kind, const SongLibrary &library, const QString &title,
          const Progress &progress = {}, ReportCounts *counts = nullptr, QString *error = nullptr);

} // namespace Report
