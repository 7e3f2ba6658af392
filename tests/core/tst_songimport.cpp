// SPDX-License-Identifier: GPL-3.0-or-later
// Songs from a card or folder into the computer's song directory: what is offered, which
// numbers are taken, and what each mode copies where.
#include "core/library/songimport.h"
#include "filesizelimit.h"
#include "testsupport.h"

using namespace SongImport;
using TestSupport::treeOf;

namespace {

// Creates each entry below root: "dir/" a folder, "name->target" a symbolic link, else a song
// file whose bytes are its own path, so that every copy can be told from its source.
void makeTree(const QString &root, const QStringList &entries)
{
    QDir().mkpath(root);
    for (const QString &entry : entries) {
        const qsizetype arrow = entry.indexOf(u"->");
        if (entry.endsWith(u'/'))
            QVERIFY(QDir().mkpath(root + u'/' + entry));
        else if (arrow > 0 && QDir().mkpath(QFileInfo(root + u'/' + entry.left(arrow)).path()))
            QVERIFY(QFile::link(entry.mid(arrow + 2), root + u'/' + entry.left(arrow)));
        else
            QVERIFY(TestSupport::writeFile(root + u'/' + entry, entry.toUtf8()));
    }
}

QStringList names(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *name : list)
        result << QString::fromUtf8(name);
    return result;
}

QString rowText(const Row &row)
{
    return row.group + u'|' + QString::number(row.number) + u'|' + row.title;
}

// One result as "outcome number file"; the file relative to the song directory.
QString resultText(const RowResult &result, const QString &songDir)
{
    static const char *const outcomes[] = {"imported", "taken", "exists", "failed"};
    return QString::fromLatin1(outcomes[int(result.outcome)]) + u' ' + QString::number(result.number) + u' '
           + QDir(songDir).relativeFilePath(result.target);
}

} // namespace

class TestSongImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::initApplicationIdentity(); }

    void listing_data()
    {
        QTest::addColumn<QStringList>("source");
        QTest::addColumn<QStringList>("songDir");
        QTest::addColumn<bool>("grouped");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("grouped") << names({"A/0007 Ave.txt", "A/0008 Bogurodzica.txt", "B/0007 Ave.txt",
                                                "A/0000 Zero.txt", "A/5000 Big.txt", "A/12ab x.txt", "A/7.txt",
                                                "A/0009 Lf\nx.txt", "A/0011 Slide.ekr", "screen_dir/0001 S.txt",
                                                "playlist_dir/0002 P.txt", "A/0010 Link.txt->../B/0007 Ave.txt",
                                                "Linked->A", ".Trash/0001 T.txt"})
                                 << names({"A/0007 Ave.txt", "C/0008 Bogurodzica.txt"}) << true
                                 << names({"A|8|Bogurodzica", "A|12|x", "B|7|Ave"});
        // The song directory is not consulted for a flat source.
        QTest::newRow("flat") << names({"0003 Gloria.txt", "0000 Z.txt", "5000 Y.txt", "0004 D.ekr", ".0005 H.txt"})
                              << names({"A/0003 Gloria.txt"}) << false << names({"|3|Gloria"});
        QTest::newRow("only card folders") << names({"screen_dir/", "playlist_dir/0001 P.txt"}) << QStringList{}
                                           << true << QStringList{};
    }

    void listing()
    {
        QFETCH(QStringList, source);
        QFETCH(QStringList, songDir);
        QTemporaryDir dir;
        makeTree(dir.filePath(QStringLiteral("src")), source);
        makeTree(dir.filePath(QStringLiteral("lyrics")), songDir);
        const Listing listing = list(dir.filePath(QStringLiteral("src")), dir.filePath(QStringLiteral("lyrics")));
        QStringList listed;
        for (const Row &row : listing.rows)
            listed << rowText(row);
        QFETCH(bool, grouped);
        QCOMPARE(listing.grouped, grouped);
        QFETCH(QStringList, rows);
        QCOMPARE(listed, rows);
        QVERIFY(!listing.stopped);
    }

    void import_data()
    {
        QTest::addColumn<QStringList>("source");  // a grouped source: every row is imported
        QTest::addColumn<QStringList>("songDir"); // always has the group "Cel"
        QTest::addColumn<QList<int>>("marked");   // numbers imported earlier in this run
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("start");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<int>("ending");

        QTest::newRow("keep: one number twice")
            << names({"A/0007 Ave.txt", "B/0007 Inne.txt", "B/0009 Dziewiec.txt"}) << QStringList{} << QList<int>{}
            << 0 << 0 << names({"imported 7 Cel/0007 Ave.txt", "taken 7 Cel/0007 Inne.txt",
                                     "imported 9 Cel/0009 Dziewiec.txt"})
            << int(Ending::Finished);
        QTest::newRow("keep: number in the song directory or the run")
            << names({"A/0008 Osiem.txt", "A/0012 Dwanascie.txt"}) << names({"Inna/0008 Cos.txt"})
            << QList<int>{12} << 0 << 0 << names({"taken 8 Cel/0008 Osiem.txt", "taken 12 Cel/0012 Dwanascie.txt"})
            << int(Ending::Finished);
        // A dangling link is no song, so its number is free, but its name is kept.
        QTest::newRow("keep: existing target kept")
            << names({"A/0013 Trzynascie.txt"}) << names({"Cel/0013 Trzynascie.txt->nowhere"}) << QList<int>{}
            << 0 << 0 << names({"exists 13 Cel/0013 Trzynascie.txt"}) << int(Ending::Finished);
        QTest::newRow("renumber from 2000")
            << names({"A/0001 Jeden.txt", "A/0002 Dwa.txt", "B/0001 Trzy.txt"}) << QStringList{} << QList<int>{}
            << 1 << 2000
            << names({"imported 2000 Cel/2000 Jeden.txt", "imported 2001 Cel/2001 Dwa.txt",
                           "imported 2002 Cel/2002 Trzy.txt"})
            << int(Ending::Finished);
        QTest::newRow("renumber around taken numbers")
            << names({"A/0001 Jeden.txt", "A/0002 Dwa.txt", "B/0001 Trzy.txt"})
            << names({"Inna/2001 Zajety.txt"}) << QList<int>{2003} << 1 << 2000
            << names({"imported 2000 Cel/2000 Jeden.txt", "imported 2002 Cel/2002 Dwa.txt",
                           "imported 2004 Cel/2004 Trzy.txt"})
            << int(Ending::Finished);
        QTest::newRow("renumber runs out")
            << names({"A/0001 Jeden.txt", "A/0002 Dwa.txt", "A/0003 Trzy.txt"}) << QStringList{} << QList<int>{}
            << 1 << 4998 << names({"imported 4998 Cel/4998 Jeden.txt", "imported 4999 Cel/4999 Dwa.txt"})
            << int(Ending::NoFreeNumber);
        // A failed copy keeps its number free for the next row.
        QTest::newRow("renumber past a taken name")
            << names({"A/0001 Jeden.txt", "A/0002 Dwa.txt"}) << names({"Cel/2000 Jeden.txt->nowhere"})
            << QList<int>{} << 1 << 2000
            << names({"exists 2000 Cel/2000 Jeden.txt", "imported 2000 Cel/2000 Dwa.txt"}) << int(Ending::Finished);
    }

    void import()
    {
        QFETCH(QStringList, source);
        QFETCH(QStringList, songDir);
        QFETCH(QList<int>, marked);
        QFETCH(int, mode);
        QFETCH(int, start);
        QFETCH(QStringList, results);
        QFETCH(int, ending);
        QTemporaryDir dir;
        const QString src = dir.filePath(QStringLiteral("src"));
        const QString lyrics = dir.filePath(QStringLiteral("lyrics"));
        makeTree(src, source);
        makeTree(lyrics, songDir + QStringList{QStringLiteral("Cel/")});
        const QStringList before = treeOf(lyrics, true);

        LibraryNumberTable run(5000);
        for (int n : marked)
            run.markUsed(n);
        const Listing listing = list(src, lyrics);
        QCOMPARE(listing.rows.size(), source.size());
        QList<int> heard;
        const Run result = importRows(listing.rows, lyrics, QStringLiteral("Cel"), Mode(mode), start, run, {}, [&heard](int row, const RowResult &) { heard << row; });

        QStringList outcomes;
        QStringList expectedTree = before;
        for (const RowResult &r : result.results) {
            outcomes << resultText(r, lyrics);
            if (r.outcome == Outcome::Imported) {
                // The copy has its source's bytes, and its number is marked for the whole run.
                const QString sourceName = listing.rows.at(outcomes.size() - 1).group + u'/'
                                           + listing.rows.at(outcomes.size() - 1).fileName();
                expectedTree << QDir(lyrics).relativeFilePath(r.target) + u'=' + sourceName;
                QVERIFY(run.isUsed(r.number));
            }
        }
        expectedTree.sort();
        QCOMPARE(outcomes, results);
        QCOMPARE(int(result.ending), ending);
        QCOMPARE(heard.size(), result.results.size());
        // Nothing else changed: no target replaced, no temporary file left.
        QCOMPARE(treeOf(lyrics, true), expectedTree);
    }

    void failedCopiesLeaveNothing()
    {
        QTemporaryDir dir;
        const QString src = dir.filePath(QStringLiteral("src"));
        const QString lyrics = dir.filePath(QStringLiteral("lyrics"));
        makeTree(src, {QStringLiteral("A/0001 Jeden.txt"), QStringLiteral("A/0002 Dwa.txt")});
        makeTree(lyrics, {QStringLiteral("Cel/")});
        QVERIFY(TestSupport::writeFile(src + u"/A/0001 Jeden.txt", QByteArray(1000, 'x')));
        const Listing listing = list(src, lyrics);
        QVERIFY(QFile::remove(src + u"/A/0002 Dwa.txt")); // gone since the listing
        LibraryNumberTable run(5000);
        Run result;
        {
            FileSizeLimit limit(100);
            QVERIFY(limit.active());
            result = importRows(listing.rows, lyrics, QStringLiteral("Cel"), Mode::KeepNumbers, 0, run);
        }
        QCOMPARE(result.results.size(), 2);
        QCOMPARE(result.results.at(0).outcome, Outcome::CopyFailed);
        QCOMPARE(result.results.at(0).error, EFBIG);
        QCOMPARE(result.results.at(1).outcome, Outcome::CopyFailed);
        QCOMPARE(result.skipped(), 2);
        QCOMPARE(treeOf(lyrics), QStringList{QStringLiteral("Cel")});
        QVERIFY(!run.isUsed(1));
    }
};

QTEST_GUILESS_MAIN(TestSongImport)
#include "tst_songimport.moc"
