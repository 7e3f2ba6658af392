// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/util/progress.h"
#include "pdf/songbookpagination.h"

#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;
class SongLibrary;

// A printable songbook of a scanned library as PDF: a title page, the songbook's songs (the
// owners of the song numbers, ascending) with their stanzas in sung order, in one or two
// columns, then an index by number and one by title with the page of each song. Every page
// is laid out before it is drawn, and the PDF's own page count is checked against the layout
// before anything is handed on.
struct SongbookPdfOptions
{
    enum class Paper { A5, A4 };
    Paper paper = Paper::A5;
    int columns = 1; // 1 or 2
};

// The language's words in the book.
struct SongbookPdfTexts
{
    QString title;       // the title page
    QString refrain;     // a refrain's label, "Ref."
    QString continued;   // after a song's heading in a column continuing it, "(cd.)"
    QString numberIndex; // the heading of the index by number
    QString titleIndex;  // the heading of the index by title

    static SongbookPdfTexts fromLanguage();
};

struct SongbookPdfResult
{
    int songs = 0;
    int leftOut = 0; // not in the number table, or unreadable when the book was written
    int pages = 0;
    bool stopped = false;      // the stop flag ended it; nothing was written
    QString missingCharacters; // characters the book's font lacks, each once in the order met
    QString substitutedFamily; // the family drawn with when the book's font is not installed

    // What a user should hear about a written book (left-out songs, missing characters, the
    // substituted font), in the language's texts.
    QStringList warnings() const;
};

// The layout without drawing: the record pages are drawn from, and the page count.
struct SongbookPdfLayout
{
    QList<Placement> placements;
    QList<int> songNumbers; // by song of the placements
    int pages = 0;
};

namespace SongbookPdf {

inline const QString kFontFamily = QStringLiteral("DejaVu Sans");

// Writes the PDF into device when every page came out; false with the reason otherwise (a
// failed write, pages the PDF lost, the stop flag), and then device received nothing.
bool write(QIODevice &device, const SongLibrary &library, const SongbookPdfOptions &options,
           const SongbookPdfTexts &texts, const Progress &progress = {}, SongbookPdfResult *result = nullptr,
           QString *error = nullptr);
// The same into path through the atomic save: a failed or stopped book leaves no file and a
// previous one as it was.
bool save(const QString &path, const SongLibrary &library, const SongbookPdfOptions &options,
          const SongbookPdfTexts &texts, const Progress &progress = {}, SongbookPdfResult *result = nullptr,
          QString *error = nullptr);

SongbookPdfLayout layout(const SongLibrary &library, const SongbookPdfOptions &options, const SongbookPdfTexts &texts);

// The page count a PDF's page tree states; -1 when it cannot be read.
int pageTreeCount(const QByteArray &pdf);

// Test seam: called with each page the drawing starts after the title page; answering true
// draws that page onto the one before, as a writer that loses pages would.
void setPageMergeForTests(std::function<bool(int page)> merge);

// The file name a language gives ("Śpiewnik.pdf"): one plain path component, else the
// built-in one; ".pdf" added when missing.
QString fileName(const QString &languageText);

} // namespace SongbookPdf
