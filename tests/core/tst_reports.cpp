// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF reports: the songbook's page rule, stopping, left-out songs and the report file names.
// The whole reports of the fixture card are compared byte for byte by tst_cli's report-* cases.
#include "core/library/songlibrary.h"
#include "core/model/songfile.h"
#include "core/report/report.h"
#include "core/report/reportwriters.h"
#include "tablerows.h"

#include <QBuffer>
#include <QtTest>

namespace {

const QString kTitle = QStringLiteral("Śpiewnik");
const QString kAlphabeticalTitle = QStringLiteral("Alfabetyczny wykaz pieśni");

QString reportData(const QString &name)
{
    return TestSupport::testData(QStringLiteral("report/") + name);
}

void scan(SongLibrary &library, const QString &root)
{
    library.setRoot(root);
    library.scanLibrary(ScanFlag::Songs | ScanFlag::CheckNumbers, {}, ScanOptions::readOnly());
}

QByteArray reportBytes(const SongLibrary &library, ReportKind kind, ReportCounts *counts = nullptr,
                       const Progress &progress = {})
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QString title = kind == ReportKind::Alphabetical ? kAlphabeticalTitle : kTitle;
    if (!Report::write(buffer, kind, library, title, progress, counts))
        return {};
    return buffer.data();
}

// A song file of one stanza whose screens have the given numbers of non-empty lines.
QByteArray songWithScreens(const QList<int> &linesPerScreen)
{
    QByteArray bytes = "#n 0\r\n#k 1,\r\n#z\r\n";
    for (const int lines : linesPerScreen) {
        bytes += "#e\r\n";
        for (int line = 0; line < kScreenLines; ++line)
            bytes += (line < lines ? QByteArray("x").leftJustified(kLineChars) : QByteArray(kLineChars, ' ')) + "\r\n";
    }
    return bytes;
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void emptyCardGivesAWholeDocument_data()
    {
        QTest::addColumn<ReportKind>("kind");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("songbook") << ReportKind::Songbook << QByteArray("\\par}\\page}\r\n");
        QTest::newRow("index") << ReportKind::NumberIndex << QByteArray("\\par\r\n}\r\n");
        QTest::newRow("alphabetical") << ReportKind::Alphabetical
                                      << QByteArray("\\par\r\n\\pard\\tx7952\\fs24\r\n}\r\n");
    }
    void emptyCardGivesAWholeDocument()
    {
        QFETCH(ReportKind, kind);
        QFETCH(QByteArray, tail);
        const QString root = m_dir.filePath(QStringLiteral("empty/"));
        QVERIFY(QDir().mkpath(root));
        SongLibrary library;
        scan(library, root);
        QVERIFY(reportBytes(library, kind).endsWith(tail));
    }

    void songDeletedAfterTheScanIsLeftOut()
    {
        const QString root = m_dir.filePath(QStringLiteral("deleted"));
        QVERIFY(TestSupport::copyTree(reportData(QStringLiteral("card")), root));
        SongLibrary library;
        scan(library, root);
        QVERIFY(QFile::remove(root + QStringLiteral("/Adwent/0002 Ala ma.txt")));
        ReportCounts counts;
        const QByteArray bytes = reportBytes(library, ReportKind::Songbook, &counts);
        QCOMPARE(counts.leftOut, 4);
        QCOMPARE(counts.written, 8);
        // Nothing of it, and not the song before it a second time.
        QVERIFY(!bytes.contains("{\\b  Ala ma}"));
        QCOMPARE(bytes.count("{\\b  Ala}"), 1);
    }

    void stopEndsAfterTheCurrentSongAndClosesTheDocument_data()
    {
        QTest::addColumn<ReportKind>("kind");
        QTest::newRow("songbook") << ReportKind::Songbook;
        QTest::newRow("index") << ReportKind::NumberIndex;
        QTest::newRow("alphabetical") << ReportKind::Alphabetical;
    }
    void stopEndsAfterTheCurrentSongAndClosesTheDocument()
    {
        QFETCH(ReportKind, kind);
        SongLibrary library;
        scan(library, reportData(QStringLiteral("card")));
        std::atomic_bool stop = false;
        Progress progress;
        progress.stop = &stop;
        progress.onCounter = [&stop](int done) { stop = done >= 2; };
        ReportCounts counts;
        const QByteArray bytes = reportBytes(library, kind, &counts, progress);
        QCOMPARE(counts.written, 2);
        QVERIFY(counts.stopped);
        QVERIFY(bytes.endsWith("}\r\n"));
        QCOMPARE(bytes.count('{') - bytes.count("\\{"), bytes.count('}') - bytes.count("\\}"));
    }

    void pageRuleAtTheBoundary_data()
    {
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("breaks");
        QTest::newRow("exactly 12240") << 6000 << 6000 << true;
        QTest::newRow("one twip below") << 5999 << 6000 << false;
        QTest::newRow("empty page, tall song") << 0 << 12000 << true;
    }
    void pageRuleAtTheBoundary()
    {
        QFETCH(int, used);
        QFETCH(int, height);
        QFETCH(bool, breaks);
        QCOMPARE(ReportWriters::startsNewPage(used, height), breaks);
    }

    // Two songs of eight full screens (4840 twips each) and one of a single line (1160) leave
    // 1360 on the page: a last song of one line (1160) meets 12240 exactly, one of a blank
    // screen (1000) stays on the page.
    void songbookBreaksThePageWhereTheEstimateReachesIt_data()
    {
        QTest::addColumn<int>("lastSongLines");
        QTest::addColumn<int>("lastSongHeight");
        QTest::addColumn<int>("pages");
        QTest::newRow("reaches 12240") << 1 << 1160 << 2;
        QTest::newRow("160 below") << 0 << 1000 << 1;
    }
    void songbookBreaksThePageWhereTheEstimateReachesIt()
    {
        QFETCH(int, lastSongLines);
        QFETCH(int, lastSongHeight);
        QFETCH(int, pages);
        const QString root = m_dir.filePath(QStringLiteral("pages%1/").arg(lastSongLines));
        const QList<int> full(8, kScreenLines);
        QVERIFY(TestSupport::writeFile(root + QStringLiteral("G/0001 A.txt"), songWithScreens(full)));
        QVERIFY(TestSupport::writeFile(root + QStringLiteral("G/0002 B.txt"), songWithScreens(full)));
        QVERIFY(TestSupport::writeFile(root + QStringLiteral("G/0003 C.txt"), songWithScreens({1})));
        QVERIFY(TestSupport::writeFile(root + QStringLiteral("G/0004 D.txt"), songWithScreens({lastSongLines})));
        Song last;
        QVERIFY(SongFile::load(root + QStringLiteral("G/0004 D.txt"), last));
        QCOMPARE(ReportWriters::estimatedHeight(last), lastSongHeight);
        SongLibrary library;
        scan(library, root);
        const QByteArray bytes = reportBytes(library, ReportKind::Songbook);
        QCOMPARE(bytes.count("\\page"), pages);
        QCOMPARE(bytes.contains("\\page\\pard\\keepn{\\cf1\\fs36 4}"), pages == 2);
    }

    // The title and each heading are paragraphs outside any table; every row of screens brings
    // its own definition of four columns and holds four cells.
    void songbookTablesAreWholeRows_data()
    {
        QTest::addColumn<QList<int>>("screens");
        QTest::addColumn<int>("rows");
        QTest::newRow("one screen") << QList<int>{3} << 1;
        QTest::newRow("four screens") << QList<int>{1, 2, 3, 4} << 1;
        QTest::newRow("five screens") << QList<int>{1, 1, 1, 1, 1} << 2;
    }
    void songbookTablesAreWholeRows()
    {
        QFETCH(QList<int>, screens);
        QFETCH(int, rows);
        const QString root = m_dir.filePath(QStringLiteral("rows%1/").arg(screens.size()));
        for (const QString &name : {u"G/0001 A.txt"_qs, u"G/0002 B.txt"_qs})
            QVERIFY(TestSupport::writeFile(root + name, songWithScreens(screens)));
        SongLibrary library;
        scan(library, root);
        const QByteArray bytes = reportBytes(library, ReportKind::Songbook);
        const QByteArray beforeTables = bytes.left(bytes.indexOf("\\trowd"));
        QVERIFY(!beforeTables.contains("\\cell") && !beforeTables.contains("\\intbl"));
        QVERIFY(beforeTables.contains("\\pard{\\qc\\fs48 \\u346?piewnik\\par}\\page\\pard\\keepn{\\cf1\\fs36 1}"));
        QVERIFY(bytes.contains("\\row\\pard}\\pard\\keepn{\\cf1\\fs36 2}"));
        const QByteArray definition = "\\trowd\\trkeep\\cellx2160\\cellx4320\\cellx6480\\cellx8640\\pard\\intbl";
        QCOMPARE(bytes.count(definition), 2 * rows);
        for (qsizetype at = bytes.indexOf(definition); at >= 0; at = bytes.indexOf(definition, at + 1)) {
            const QByteArray row = bytes.mid(at, bytes.indexOf("\\row\\", at) - at);
            QCOMPARE(row.count("\\cell") - row.count("\\cellx"), 4);
        }
    }

    // A control character in a group or song name reaches no report raw.
    void controlCharactersAreReplaced_data() { stopEndsAfterTheCurrentSongAndClosesTheDocument_data(); }
    void controlCharactersAreReplaced()
    {
        QFETCH(ReportKind, kind);
        const QString song = m_dir.filePath(u"controls/G\u001b[31m/0001 A\u0007b\u0085c.txt"_qs);
        QVERIFY(QFileInfo::exists(song) || TestSupport::writeFile(song, songWithScreens({1})));
        SongLibrary library;
        scan(library, m_dir.filePath(u"controls/"_qs));
        const QByteArray bytes = reportBytes(library, kind);
        QVERIFY(bytes.contains("A\\u65533?b\\u65533?c"));
        QCOMPARE(bytes.contains("G\\u65533?[31m"), kind == ReportKind::NumberIndex);
        const QByteArray withoutBreaks = QByteArray(bytes).replace("\r\n", "");
        for (const char c : withoutBreaks)
            QVERIFY2(uchar(c) >= 0x20 && uchar(c) < 0x7f, QByteArray::number(uchar(c)).constData());
    }

    void fileNameMustBeOnePlainComponent_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        for (const QStringList &row : TestSupport::tableRows(u"report/filenames.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << TestSupport::unescaped(row[1]) << row[2];
    }
    void fileNameMustBeOnePlainComponent()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(Report::fileName(ReportKind::Songbook, text), expected);
    }

    void freeFileNameCountsUp()
    {
        const QString folder = m_dir.filePath(QStringLiteral("names"));
        QVERIFY(TestSupport::writeFile(folder + QStringLiteral("/Spis.rtf"), "x"));
        QVERIFY(TestSupport::writeFile(folder + QStringLiteral("/Spis (2).rtf"), "x"));
        QCOMPARE(Report::freeFileName(folder, QStringLiteral("Spis.rtf")), QStringLiteral("Spis (3).rtf"));
        QCOMPARE(Report::freeFileName(folder, QStringLiteral("Inny.rtf")), QStringLiteral("Inny.rtf"));
    }

    void saveIntoAMissingFolderFailsAndWritesNothing()
    {
        SongLibrary library;
        scan(library, reportData(QStringLiteral("card")));
        const QString path = m_dir.filePath(QStringLiteral("missing/report.rtf"));
        QString error;
        QVERIFY(!Report::save(path, ReportKind::NumberIndex, library, kTitle, {}, nullptr, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("missing"))));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestReports)
#include "tst_reports.moc"
