// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf/songbookpdf.h"

#include "core/app/language.h"
#include "core/library/songlibrary.h"
#include "core/library/titlecollation.h"
#include "core/model/itemname.h"
#include "core/model/song.h"
#include "core/util/atomicsave.h"
#include "core/util/fileutils.h"
#include "core/util/textids.h"
#include "pdf/songbookrenderer.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <numeric>

namespace {

// Qt's PDF engine counts in 26.6 fixed point: at its default 1200 dpi a long book overflows
// near 4,000 A5 pages and silently loses pages; at 300 dpi 5,000 songs come out whole.
constexpr int kResolution = 300;

qreal millimetres(qreal mm)
{
    return mm / 25.4 * kResolution;
}

std::function<bool(int)> &pageMerge()
{
    static std::function<bool(int)> merge;
    return merge;
}

struct Book
{
    QList<BookSong> songs;
    QList<Placement> placements;
    QList<int> songPages;
    QList<int> indexes[2]; // songs by number, by title
    int pages = 0;
};

void preparePages(QPdfWriter &writer, const SongbookPdfOptions &options, const QString &title)
{
    writer.setResolution(kResolution);
    writer.setPageSize(QPageSize(options.paper == SongbookPdfOptions::Paper::A4 ? QPageSize::A4 : QPageSize::A5));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Lumivox"));
}

PageGeometry geometryOf(const QPdfWriter &writer, const SongbookPdfOptions &options)
{
    PageGeometry geometry;
    geometry.page = QSizeF(writer.width(), writer.height());
    geometry.margin = millimetres(options.paper == SongbookPdfOptions::Paper::A4 ? 20 : 15);
    geometry.columnGap = millimetres(8);
    geometry.columns = std::clamp(options.columns, 1, 2);
    return geometry;
}

// Reads every song of the book and lays it out, then the two indexes. The progress hears of
// each song out of steps; false when the stop flag ended it.
bool layOut(SongbookRenderer &renderer, const PageGeometry &geometry, const SongLibrary &library,
            const SongbookPdfTexts &texts, const Progress &progress, int steps, Book &book, SongbookPdfResult &result)
{
    const SongbookSongs set = Songbook::songs(library);
    result.leftOut = set.notInTable;
    SongbookPagination pagination(geometry.columnHeight(), geometry.columns, renderer.stanzaGap(), renderer.songGap(),
                                  1);
    for (int i = 0; i < set.entries.size(); ++i) {
        if (progress.stopRequested())
            return false;
        const SongbookEntry &entry = set.entries.at(i);
        progress.file(entry.name, i, steps);
        Song song;
        if (Songbook::loadSong(entry, song)) {
            BookSong bookSong{ItemName::number(entry.name), withControlsReplaced(song.title()),
                              Songbook::sungStanzas(song, texts.refrain)};
            pagination.addSong(int(book.songs.size()), renderer.measure(bookSong, texts.continued));
            book.songs.append(std::move(bookSong));
        } else {
            ++result.leftOut;
        }
        progress.counter(i + 1);
    }

    QList<int> &byNumber = book.indexes[0];
    byNumber.resize(book.songs.size());
    std::iota(byNumber.begin(), byNumber.end(), 0);
    QList<int> &byTitle = book.indexes[1];
    byTitle = byNumber;
    std::stable_sort(byTitle.begin(), byTitle.end(), [&book](int a, int b) {
        const int order = TitleCollation::compare(book.songs.at(a).title, book.songs.at(b).title);
        return order != 0 ? order < 0 : book.songs.at(a).number < book.songs.at(b).number;
    });
    for (int index = 0; index < 2; ++index) {
        pagination.startIndex(index, renderer.indexHeadingHeight(), renderer.indexEntryHeight());
        for (int entry = 0; entry < book.indexes[index].size(); ++entry)
            pagination.addIndexEntry(index, entry, renderer.indexEntryHeight());
    }

    book.placements = pagination.placements();
    book.pages = pagination.pageCount();
    book.songPages.resize(book.songs.size());
    for (int song = 0; song < book.songs.size(); ++song)
        book.songPages[song] = pagination.songPage(song);
    return true;
}

// Draws the laid-out book; false when the stop flag ended it.
bool draw(QPainter &painter, QPdfWriter &writer, SongbookRenderer &renderer, const Book &book,
          const SongbookPdfTexts &texts, const Progress &progress, int songSteps)
{
    renderer.drawTitlePage(painter, texts.title);
    int page = 0;
    const auto pageDone = [&] { progress.counter(songSteps + (page + 1) * songSteps / std::max(book.pages, 1)); };
    const auto startPage = [&](int next) {
        pageDone();
        page = next;
        if (!pageMerge() || !pageMerge()(page))
            writer.newPage();
        renderer.drawFooter(painter, page + 1);
        return !progress.stopRequested();
    };
    for (const Placement &at : book.placements) {
        while (page < at.page) {
            if (!startPage(page + 1))
                return false;
        }
        switch (at.kind) {
        case Placement::Heading:
        case Placement::ContinuedHeading:
            renderer.drawHeading(painter, at, book.songs.at(at.song), texts.continued);
            break;
        case Placement::StanzaLine:
            renderer.drawStanzaLine(painter, at, book.songs.at(at.song).stanzas.at(at.stanza));
            break;
        case Placement::IndexHeading:
            renderer.drawIndexHeading(painter, at, at.song == 0 ? texts.numberIndex : texts.titleIndex);
            break;
        case Placement::IndexEntry: {
            const int song = book.indexes[at.song].at(at.line);
            renderer.drawIndexEntry(painter, at, book.songs.at(song), book.songPages.at(song) + 1);
            break;
        }
        }
    }
    pageDone();
    return true;
}

// The value of "/Key N 0 R" or "/Key N" in the object that starts at from.
qint64 valueInObject(const QByteArray &pdf, qsizetype from, QByteArrayView key)
{
    const qsizetype end = pdf.indexOf("endobj", from);
    qsizetype at = pdf.indexOf(key, from);
    if (at < 0 || (end >= 0 && at > end))
        return -1;
    at += key.size();
    while (at < pdf.size() && (pdf.at(at) == ' ' || pdf.at(at) == '\n' || pdf.at(at) == '\r'))
        ++at;
    qint64 value = -1;
    for (; at < pdf.size() && pdf.at(at) >= '0' && pdf.at(at) <= '9'; ++at)
        value = std::max<qint64>(value, 0) * 10 + (pdf.at(at) - '0');
    return value > INT_MAX ? -1 : value;
}

qsizetype objectStart(const QByteArray &pdf, qint64 number)
{
    if (number < 0)
        return -1;
    const QByteArray head = QByteArray::number(number) + " 0 obj";
    for (qsizetype at = pdf.indexOf(head); at >= 0; at = pdf.indexOf(head, at + 1)) {
        if (at == 0 || pdf.at(at - 1) == '\n' || pdf.at(at - 1) == '\r')
            return at + head.size();
    }
    return -1;
}

} // namespace

SongbookPdfTexts SongbookPdfTexts::fromLanguage()
{
    return {Lang::text(Txt::ReportTitle), Lang::text(Txt::SongbookRefrain), Lang::text(Txt::SongbookContinued),
            Lang::text(Txt::SongbookNumberIndex), Lang::text(Txt::ReportTitleAlphabetical)};
}

QStringList SongbookPdfResult::warnings() const
{
    QStringList texts;
    if (leftOut > 0)
        texts.append(Lang::text(Txt::ReportSongsLeftOut).arg(leftOut));
    if (!substitutedFamily.isEmpty())
        texts.append(Lang::text(Txt::SongbookFontSubstituted).arg(SongbookPdf::kFontFamily, substitutedFamily));
    if (!missingCharacters.isEmpty())
        texts.append(Lang::text(Txt::SongbookMissingCharacters).arg(SongbookPdf::kFontFamily, missingCharacters));
    return texts;
}

namespace SongbookPdf {

int pageTreeCount(const QByteArray &pdf)
{
    const qsizetype trailer = pdf.lastIndexOf("trailer");
    if (trailer < 0)
        return -1;
    const qsizetype catalog = objectStart(pdf, valueInObject(pdf, trailer, "/Root"));
    if (catalog < 0)
        return -1;
    const qsizetype pages = objectStart(pdf, valueInObject(pdf, catalog, "/Pages"));
    return pages < 0 ? -1 : int(valueInObject(pdf, pages, "/Count"));
}

void setPageMergeForTests(std::function<bool(int page)> merge)
{
    pageMerge() = std::move(merge);
}

SongbookPdfLayout layout(const SongLibrary &library, const SongbookPdfOptions &options, const SongbookPdfTexts &texts)
{
    QBuffer unused;
    QPdfWriter writer(&unused);
    preparePages(writer, options, texts.title);
    const PageGeometry geometry = geometryOf(writer, options);
    SongbookRenderer renderer(&writer, geometry, texts.refrain);
    Book book;
    SongbookPdfResult result;
    layOut(renderer, geometry, library, texts, {}, 1, book, result);
    SongbookPdfLayout laidOut{book.placements, {}, book.pages};
    for (const BookSong &song : std::as_const(book.songs))
        laidOut.songNumbers.append(song.number);
    return laidOut;
}

bool write(QIODevice &device, const SongLibrary &library, const SongbookPdfOptions &options,
           const SongbookPdfTexts &texts, const Progress &progress, SongbookPdfResult *result, QString *error)
{
    SongbookPdfResult outcome;
    const auto fail = [&](const QString &reason) {
        if (result)
            *result = outcome;
        if (error)
            *error = reason;
        return false;
    };
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Book book;
    {
        QPdfWriter writer(&buffer);
        preparePages(writer, options, texts.title);
        const PageGeometry geometry = geometryOf(writer, options);
        SongbookRenderer renderer(&writer, geometry, texts.refrain);
        // Reading the songs is one half of the bar, drawing the pages the other.
        const int songSteps = int(Songbook::songs(library).entries.size()) + 1;
        if (!layOut(renderer, geometry, library, texts, progress, 2 * songSteps, book, outcome)) {
            outcome.stopped = true;
            return fail(Lang::text(Txt::SongbookStopped));
        }
        QPainter painter;
        if (!painter.begin(&writer))
            return fail(Lang::text(Txt::ReportSaveFailed).arg(QStringLiteral("PDF")));
        const bool drawn = draw(painter, writer, renderer, book, texts, progress, songSteps);
        painter.end();
        if (!drawn) {
            outcome.stopped = true;
            return fail(Lang::text(Txt::SongbookStopped));
        }
        outcome.missingCharacters = renderer.missingCharacters();
        outcome.substitutedFamily = renderer.substitutedFamily();
    }
    outcome.songs = int(book.songs.size());
    outcome.pages = book.pages;
    const int written = pageTreeCount(bytes);
    if (written != book.pages)
        return fail(Lang::text(Txt::SongbookPagesLost).arg(written).arg(book.pages));
    if (device.write(bytes) != bytes.size())
        return fail(device.errorString());
    if (result)
        *result = outcome;
    return true;
}

bool save(const QString &path, const SongLibrary &library, const SongbookPdfOptions &options,
          const SongbookPdfTexts &texts, const Progress &progress, SongbookPdfResult *result, QString *error)
{
    QString writeError;
    QString saveError;
    const bool saved = saveAtomically(
        path, [&](QIODevice &device) { return write(device, library, options, texts, progress, result, &writeError); },
        &saveError);
    if (!saved && error)
        *error = saveError.isEmpty() ? writeError : saveError;
    return saved;
}

QString fileName(const QString &languageText)
{
    QString name = isPlainFileName(languageText) ? languageText : QStringLiteral("Śpiewnik.pdf");
    if (!name.endsWith(u".pdf", Qt::CaseInsensitive))
        name += u".pdf";
    return name;
}

} // namespace SongbookPdf
