// SPDX-License-Identifier: GPL-3.0-or-later
// Songs from a card or folder into the computer's song directory: what is offered, which
// numbers are taken, and what each mode copies where.
#include "core/library/songimport.h"
#include "filesizelimit.h"
#include "tablerows.h"

using namespace SongImport;
using TestSupport::treeOf;

namespace {

// Creates each ";"-separated entry below root: "dir/" a folder, "name->target" a symbolic
// link, "name=bytes" a song file of those bytes, else a song file whose bytes are its own path,
// so that a copy names its source.
void makeTree(const QString &root, const QString &entries)
{
    QDir().mkpath(root);
    for (const QString &entry : entries.split(u';', Qt::SkipEmptyParts)) {
        const QString path = root + u'/' + entry.section(u"->"_qs, 0, 0);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        if (entry.endsWith(u'/'))
            QVERIFY(QDir().mkpath(path));
        else if (entry.contains(u"->"))
            QVERIFY(QFile::link(entry.section(u"->"_qs, 1), path));
        else if (entry.contains(u'='))
            QVERIFY(TestSupport::writeFile(root + u'/' + entry.section(u'=', 0, 0), entry.section(u'=', 1).toUtf8()));
        else
            QVERIFY(TestSupport::writeFile(path, entry.toUtf8()));
    }
}

} // namespace

class TestSongImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::initApplicationIdentity(); }

    void listing_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("songDir");
        QTest::addColumn<QString>("rows"); // "grouped" or "flat", then group|number|title per row
        QTest::newRow("grouped")
            << u"A/0007 Ave.txt;A/0008 Bogurodzica.txt;B/0007 Ave.txt;A/0000 Zero.txt;A/5000 Big.txt;A/12ab x.txt;"
               "A/7.txt;A/0009 Lf\nx.txt;A/0011 Slide.ekr;screen_dir/0001 S.txt;playlist_dir/0002 P.txt;"
               "A/0010 Link.txt->../B/0007 Ave.txt;Linked->A;.Trash/0001 T.txt"_qs
            << u"A/0007 Ave.txt;C/0008 Bogurodzica.txt"_qs << u"grouped;A|8|Bogurodzica;A|12|x;B|7|Ave"_qs;
        // The song directory is not consulted for a flat source.
        QTest::newRow("flat") << u"0003 Gloria.txt;0000 Z.txt;5000 Y.txt;0004 D.ekr;.0005 H.txt"_qs
                              << u"A/0003 Gloria.txt"_qs << u"flat;|3|Gloria"_qs;
    }

    void listing()
    {
        QFETCH(QString, source);
        QFETCH(QString, songDir);
        QFETCH(QString, rows);
        QTemporaryDir dir;
        makeTree(dir.filePath(u"src"_qs), source);
        makeTree(dir.filePath(u"lyrics"_qs), songDir);
        const Listing listing = list(dir.filePath(u"src"_qs), dir.filePath(u"lyrics"_qs));
        QStringList listed{listing.grouped ? u"grouped"_qs : u"flat"_qs};
        for (const Row &row : listing.rows)
            listed << row.group + u'|' + QString::number(row.number) + u'|' + row.title;
        QCOMPARE(listed.join(u';'), rows);
    }

    void import_data()
    {
        QTest::addColumn<QString>("source"); // grouped; every row is imported into the group "Cel"
        QTest::addColumn<QString>("songDir");
        QTest::addColumn<int>("marked");      // a number imported earlier in this run
        QTest::addColumn<int>("start");       // 0: keep numbers, else number from start
        QTest::addColumn<int>("sizeLimit");   // a disk that takes no more bytes per file
        QTest::addColumn<QString>("results"); // outcome number target [from number]; then how the run ended

        for (const QStringList &row : TestSupport::tableRows(u"songimport/import.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << row[1] << row[2] << row[3].toInt() << row[4].toInt() << row[5].toInt() << row[6];
    }

    void import()
    {
        QFETCH(QString, source);
        QFETCH(QString, songDir);
        QFETCH(int, marked);
        QFETCH(int, start);
        QFETCH(int, sizeLimit);
        QFETCH(QString, results);
        QTemporaryDir dir;
        const QString src = dir.filePath(u"src"_qs);
        const QString lyrics = dir.filePath(u"lyrics"_qs);
        makeTree(src, source);
        makeTree(lyrics, u"Cel/;"_qs + songDir);
        QStringList expectedTree = treeOf(lyrics, true);
        LibraryNumberTable run(5000);
        if (marked)
            run.markUsed(marked);
        const Listing listing = list(src, lyrics);

        Run result;
        {
            FileSizeLimit limit(sizeLimit > 0 ? rlim_t(sizeLimit) : RLIM_INFINITY);
            const Mode mode = start ? Mode::NumberFrom : Mode::KeepNumbers;
            result = importRows(listing.rows, lyrics, u"Cel"_qs, mode, start, run);
        }
        static const char16_t *const outcomes[] = {u"imported", u"taken", u"exists", u"failed", u"present"};
        static const char16_t *const endings[] = {u"finished", u"stopped", u"no free number"};
        QStringList outcome;
        for (const RowResult &r : result.results) {
            const QString target = QDir(lyrics).relativeFilePath(r.target);
            outcome << QString::fromUtf16(outcomes[int(r.outcome)]) + u' ' + QString::number(r.number) + u' ' + target
                    + (r.movedFrom ? u" from " + QString::number(r.movedFrom) : QString());
            // A copy has its source's bytes, and its number is marked for the whole run.
            if (r.outcome == Outcome::Imported) {
                const Row &row = listing.rows.at(outcome.size() - 1);
                expectedTree << target + u'=' + row.group + u'/' + row.fileName();
                QVERIFY(run.isUsed(r.number));
            }
        }
        QCOMPARE((outcome << QString::fromUtf16(endings[int(result.ending)])).join(u';'), results);
        // Nothing else changed: no target replaced, no partial or temporary file left.
        expectedTree.sort();
        QCOMPARE(treeOf(lyrics, true), expectedTree);
    }
};

QTEST_GUILESS_MAIN(TestSongImport)
#include "tst_songimport.moc"
