// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF songbook: the pagination's record, the stanzas in sung order, the written PDF read
// back with poppler's tools, the page count check, stopping, and the report dialog's choice.
#include "core/app/language.h"
#include "core/library/songlibrary.h"
#include "core/model/songfile.h"
#include "core/report/songbooksongs.h"
#include "gui/app/shell.h"
#include "gui/report/reportdialog.h"
#include "librarytestsupport.h"
#include "pdf/songbookpdf.h"
#include "testappcore.h"
#include "tablerows.h"

#include <QBuffer>
#include <QComboBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

using namespace TestSupport;

namespace {

constexpr qreal kColumn = 100;
constexpr qreal kGap = 10;

// Songs of equal lines, one line 10 high: each as its stanzas' line counts.
MeasuredSong measured(const QStringList &stanzaLines)
{
    MeasuredSong song{10, 10, {}};
    for (const QString &lines : stanzaLines)
        song.stanzas.append(QList<qreal>(lines.toInt(), 10));
    return song;
}

// Where each song's heading went, "page/column@y", and how many continued headings it has.
QStringList headings(const SongbookPagination &pagination)
{
    QStringList where;
    for (const Placement &at : pagination.placements()) {
        if (at.kind == Placement::Heading)
            where << QStringLiteral("%1/%2@%3").arg(at.page).arg(at.column).arg(at.y);
        else if (at.kind == Placement::ContinuedHeading)
            where.last() += u'+';
    }
    return where;
}

void scan(SongLibrary &library, const QString &root)
{
    library.setRoot(root);
    library.scanLibrary(ScanFlag::Songs | ScanFlag::CheckNumbers, {}, ScanOptions::readOnly());
}

// A card of count songs of three stanzas; among the titles Polish and Cyrillic ones and one
// with a character DejaVu Sans lacks.
QStringList writeCard(const QString &root, int count)
{
    QStringList titles;
    for (int n = 1; n <= count; ++n) {
        QString title = QStringLiteral("Pieśń numer %1").arg(n);
        if (n == 2)
            title = QStringLiteral("Zażółć gęślą jaźń");
        else if (n == 3)
            title = QStringLiteral("Ёлка №5");
        else if (n == 4)
            title = QStringLiteral("Znak 中 w tytule");
        titles << title;
        writeFile(root + QStringLiteral("Grupa/%1 %2.txt").arg(n, 4, 10, QChar(u'0')).arg(title),
                  songBytes('a' + n % 26, "1,2,3,", {"#z", "#z", "#z"}));
    }
    return titles;
}

QString popplerTool(const char *name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

} // namespace

class TestSongbookPdf : public LibraryTest::PanelTest
{
    Q_OBJECT

    QTemporaryDir m_dir;
    SongLibrary m_card;
    QStringList m_titles;
    QStringList m_opened;

private slots:
    void initTestCase()
    {
        setUpPanelTests();
        m_titles = writeCard(m_dir.filePath(QStringLiteral("card/")), 60);
        scan(m_card, m_dir.filePath(QStringLiteral("card")));
    }

    void pagination_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("songs");
        QTest::addColumn<QString>("expected");
        for (const QStringList &row : tableRows(u"songbook/pagination.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1].toInt() << row[2] << row[3];
    }
    void pagination()
    {
        QFETCH(int, columns);
        QFETCH(QString, songs);
        QFETCH(QString, expected);
        SongbookPagination pagination(kColumn, columns, kGap, kGap);
        const QStringList songList = songs.split(u';');
        for (int i = 0; i < songList.size(); ++i)
            pagination.addSong(i, measured(songList.at(i).split(u',')));
        QCOMPARE(headings(pagination).join(u' '), expected);
        // Nothing hangs below a column, lines keep the song's order, and only a stanza taller
        // than a column under a continued heading is split.
        int lastLine = -1;
        for (const Placement &at : pagination.placements()) {
            QVERIFY2(at.y + at.height <= kColumn, qPrintable(QStringLiteral("y %1 on page %2").arg(at.y).arg(at.page)));
            if (at.kind == Placement::ContinuedHeading && at.line > 0)
                QVERIFY(songList.at(at.song).split(u',').at(at.stanza).toInt() * 10 + 10 > kColumn);
            const int line = at.song * 1000 + at.stanza * 100 + at.line;
            if (at.kind == Placement::StanzaLine)
                QVERIFY(std::exchange(lastLine, line) < line);
        }
    }

    void stanzasInSungOrder_data()
    {
        QTest::addColumn<QByteArray>("sequence");
        QTest::addColumn<QByteArray>("tags");
        QTest::addColumn<QString>("expected");
        for (const QStringList &row : tableRows(u"songbook/sungorder.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1].toLatin1() << row[2].toLatin1() << row[3];
    }
    void stanzasInSungOrder()
    {
        QFETCH(QByteArray, sequence);
        QFETCH(QByteArray, tags);
        QFETCH(QString, expected);
        QByteArray bytes = songBytes('x', sequence, tags.split(','));
        // Every other line blank, the others to be trimmed.
        bytes.replace(QByteArray(QByteArray(20, 'x') + "\r\n" + QByteArray(20, 'x')),
                      QByteArray("  Ala ma kota       \r\n" + QByteArray(20, ' ')));
        Song song;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QVERIFY(SongFile::read(buffer, song));
        QStringList labels;
        for (const SongbookStanza &stanza : Songbook::sungStanzas(song, QStringLiteral("Ref."))) {
            labels << stanza.label + (stanza.repeat ? u"*"_qs : QString());
            QCOMPARE(stanza.lines, stanza.repeat ? QStringList() : QStringList(5, u"Ala ma kota"_qs));
        }
        QCOMPARE(labels.join(u' '), expected);
    }

    void twoColumnsOnA4UseFewerPagesAndBothColumns()
    {
        const SongbookPdfTexts texts = SongbookPdfTexts::fromLanguage();
        const SongbookPdfLayout one = SongbookPdf::layout(m_card, {SongbookPdfOptions::Paper::A5, 1}, texts);
        const SongbookPdfLayout two = SongbookPdf::layout(m_card, {SongbookPdfOptions::Paper::A4, 2}, texts);
        QCOMPARE(two.songNumbers.size(), 60);
        QVERIFY2(two.pages < one.pages, qPrintable(QStringLiteral("%1 vs %2").arg(two.pages).arg(one.pages)));
        QVERIFY(std::any_of(two.placements.begin(), two.placements.end(),
                            [](const Placement &at) { return at.kind == Placement::Heading && at.column == 1; }));
    }

    void everyTitleIsOnThePageItsIndexNames()
    {
        const QString pdftotext = popplerTool("pdftotext");
        const QString pdffonts = popplerTool("pdffonts");
        if (pdftotext.isEmpty() || pdffonts.isEmpty())
            QSKIP("pdftotext and pdffonts (poppler-utils) are not installed");
        const QString path = m_dir.filePath(QStringLiteral("book.pdf"));
        SongbookPdfResult result;
        QString error;
        QVERIFY2(SongbookPdf::save(path, m_card, {}, SongbookPdfTexts::fromLanguage(), {}, &result, &error),
                 qPrintable(error));
        QCOMPARE(result.songs, 60);
        // Which characters are missing is a property of the book's font; another font drawn in
        // its place has other gaps.
        if (!result.substitutedFamily.isEmpty())
            QSKIP("DejaVu Sans is not installed (scripts/install-deps installs fonts-dejavu-core)");
        QCOMPARE(result.missingCharacters, u"中"_qs);

        const ProcessRun text = runProcess(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
        QCOMPARE(text.exitCode, 0);
        const QStringList pages = text.out.split(u'\f');
        QCOMPARE(pages.size() - 1, result.pages); // a form feed ends every page
        // "0002  Zażółć gęślą jaźń ........ 3" in both indexes; the text tool turns two spaces to one.
        const QRegularExpression entry(QStringLiteral("^(\\d{4}) +(.*?) *\\.+ *(\\d+)$"));
        int checked = 0;
        for (const QString &line : text.out.split(u'\n')) {
            const QRegularExpressionMatch m = entry.match(line.trimmed());
            if (!m.hasMatch())
                continue;
            const int number = m.captured(1).toInt();
            // The book draws with its own font only: the character it lacks leaves no text.
            const QString title = QString(m_titles.at(number - 1)).remove(u'中').simplified();
            QCOMPARE(m.captured(2), title);
            const int page = m.captured(3).toInt();
            QVERIFY2(pages.at(page - 1).simplified().contains(QString::number(number) + u' ' + title),
                     qPrintable(QStringLiteral("%1 not on page %2").arg(number).arg(page)));
            ++checked;
        }
        QCOMPARE(checked, 2 * 60);

        const ProcessRun fonts = runProcess(pdffonts, {path});
        const QStringList rows = fonts.out.split(u'\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!rows.isEmpty());
        for (const QString &row : rows)
            QVERIFY2(row.contains(QRegularExpression(QStringLiteral(" yes +(yes|no) +(yes|no) +\\d+ +\\d+$"))),
                     qPrintable(row));
    }

    void aLostPageOrAStopSavesNothing()
    {
        const QString path = m_dir.filePath(QStringLiteral("lost.pdf"));
        SongbookPdf::setPageMergeForTests([](int page) { return page == 3; });
        SongbookPdfResult result;
        QString error;
        const bool saved = SongbookPdf::save(path, m_card, {}, SongbookPdfTexts::fromLanguage(), {}, &result, &error);
        SongbookPdf::setPageMergeForTests({});
        QVERIFY(!saved);
        QCOMPARE(error, Lang::text(Txt::SongbookPagesLost).arg(result.pages - 1).arg(result.pages));
        QVERIFY(!QFileInfo::exists(path));

        std::atomic_bool stop = false;
        Progress progress;
        progress.stop = &stop;
        progress.onCounter = [&stop](int done) { stop = done > 70; }; // while the pages are drawn
        QVERIFY(!SongbookPdf::save(path, m_card, {}, SongbookPdfTexts::fromLanguage(), progress, &result, &error));
        QVERIFY(result.stopped);
        QCOMPARE(error, Lang::text(Txt::SongbookStopped));
        QCOMPARE(treeOf(m_dir.path()).filter(u"lost"_qs), QStringList{});
    }

    void pageTreeCountReadsTheRootOfThePageTree_data()
    {
        QTest::addColumn<QByteArray>("pdf");
        QTest::addColumn<int>("count");
        for (const QStringList &row : tableRows(u"songbook/pagetree.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << unescaped(row[1]).toLatin1() << row[2].toInt();
    }
    void pageTreeCountReadsTheRootOfThePageTree()
    {
        QFETCH(QByteArray, pdf);
        QFETCH(int, count);
        QCOMPARE(SongbookPdf::pageTreeCount(pdf), count);
    }

    void dialogWritesThePdfSongbookWithItsOptions()
    {
        const QString folder = m_dir.filePath(QStringLiteral("docs"));
        ReportDialog dialog(m_card, folder);
        seamed(&dialog).opener = [this](const QString &path) {
            m_opened << path;
            return true;
        };
        dialog.show();
        auto *paper = dialog.findChild<QComboBox *>(QStringLiteral("paperCombo"));
        QVERIFY(!paper->isVisible());
        dialog.choosePdfSongbook();
        QVERIFY(paper->isVisible());
        paper->setCurrentIndex(1);
        dialog.findChild<QComboBox *>(QStringLiteral("columnsCombo"))->setCurrentIndex(1);
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("generateButton")), Qt::LeftButton);
        const QString path = folder + u"/Śpiewnik.pdf";
        QCOMPARE(m_opened, QStringList{path});
        QVERIFY(readFile(path).startsWith("%PDF-"));
        QCOMPARE(m_boxes.texts().size(), 1);
        QVERIFY(m_boxes.texts().first().startsWith(Lang::text(Txt::ReportReady) + u'\n' + path + u"\n\n"));
        QVERIFY(m_boxes.texts().first().contains(u"中"));
        dialog.setKind(ReportKind::NumberIndex);
        QVERIFY(!paper->isVisible());
    }
};

LUMIVOX_TEST_MAIN_GUI(TestSongbookPdf)
#include "tst_songbookpdf.moc"
