// SPDX-License-Identifier: GPL-3.0-or-later
// The library scan with its files read on worker threads must find exactly what the scan on one
// thread finds: the same lists, counts, number tables and issues in the same order, the same
// stop point, and each tab rewrite done once.
#include "core/library/songlibrary.h"
#include "core/util/fileutils.h"
#include "core/util/orderedworkers.h"
#include "testsupport.h"

#include <sys/stat.h>

#include <thread>

namespace {

// Everything a scan leaves behind, one line per fact, in a form QCOMPARE shows readably.
QStringList describe(const SongLibrary &library)
{
    QStringList lines;
    lines << QStringLiteral("counts %1 %2 %3")
                 .arg(library.songCount())
                 .arg(library.slideCount())
                 .arg(library.playlistCount());
    for (const QList<SongGroupFiles> *lists : {&library.groups(), &library.slideLists(), &library.playlistLists()}) {
        for (const SongGroupFiles &list : *lists)
            lines << list.name + u": " + list.files.join(u", ");
    }
    for (ItemKind kind : {ItemKind::Song, ItemKind::Slide, ItemKind::Playlist}) {
        const LibraryNumberTable &table = library.numbers(kind);
        for (int n = 0; n < table.size(); ++n) {
            const LibraryNumberTable::Entry &e = table.entry(n);
            if (e.used)
                lines << QStringLiteral("#%1 %2 %3 %4/%5%6")
                             .arg(int(kind))
                             .arg(n)
                             .arg(e.fileName)
                             .arg(e.groupIndex)
                             .arg(e.indexInGroup)
                             .arg(e.duplicate ? u" duplicate" : u"");
        }
    }
    for (const LoadIssue &issue : library.issues())
        lines << QStringLiteral("issue %1 %2 %3 %4")
                     .arg(int(issue.code))
                     .arg(issue.number)
                     .arg(issue.location())
                     .arg(int(issue.fileType));
    return lines;
}

// Every file below root with its bytes' hash, to see what a scan rewrote.
QStringList contents(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files << path.mid(root.size()) + u' '
                + QString::fromLatin1(
                     QCryptographicHash::hash(TestSupport::readFile(path), QCryptographicHash::Md5).toHex());
    }
    files.sort();
    return files;
}

struct ScanResult
{
    QStringList facts;
    QStringList files;
    QStringList seen; // the names onFile reported
};

} // namespace

class TestParallelScan : public QObject
{
    Q_OBJECT

    TestSupport::CardFolders m_cards;

    // The issue fixture card plus tabs in a song and a slide, a song with a 1.5 MiB line and
    // more songs than one look-ahead of the workers holds.
    QString newCard()
    {
        const QString card = m_cards.next();
        if (!TestSupport::copyTree(TestSupport::testData(QStringLiteral("library/issuecard")), card))
            return {};
        QByteArray tabs = TestSupport::songBytes('t');
        tabs[30] = '\t';
        QByteArray longLine = TestSupport::songBytes('l');
        longLine.insert(40, QByteArray(3 << 19, 'L'));
        QStringList many;
        for (int i = 100; i < 300; ++i)
            many << QStringLiteral("Wielkanoc/%1 Piesn %2.txt").arg(i, 4, 10, QChar(u'0')).arg(i % 150);
        const bool written = TestSupport::writeFile(card + u"Adwent/0007 Z tabulatorem.txt", tabs)
            && TestSupport::writeFile(card + u"screen_dir/0002 Tab.ekr", tabs)
            && TestSupport::writeFile(card + u"Adwent/0008 Dluga linia.txt", longLine)
            && TestSupport::writeFiles(card, many);
        // A pipe named like a song is no song: never listed, never opened.
        const bool piped = ::mkfifo(QFile::encodeName(card + u"Adwent/0009 Rura.txt").constData(), 0600) == 0;
        return written && piped ? card : QString();
    }

    ScanResult scan(int workers, int flags, int stopAt = -1)
    {
        const QString card = newCard();
        if (card.isEmpty())
            return {};
        SongLibrary library;
        ScanResult result;
        Progress progress;
        progress.onFile = [&](const QString &name, int, int) {
            result.seen << name;
            if (result.seen.size() == stopAt)
                library.requestStop();
        };
        ScanOptions options;
        options.workers = workers;
        library.setRoot(card);
        library.scanLibrary(ScanFlags::fromInt(flags), progress, options);
        result.facts = describe(library);
        result.files = contents(card);
        return result;
    }

private slots:
    void initTestCase() { QVERIFY(m_cards.isValid()); }

    void workersFindWhatOneThreadFinds_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("stopAt");
        QTest::newRow("full") << int(kFullRefreshScan) << -1;
        QTest::newRow("without contents") << int(kRefreshScan) << -1;
        QTest::newRow("slides only") << int(ScanFlag::Slides | ScanFlag::LoadContents) << -1;
        QTest::newRow("stop at the first file") << int(kFullRefreshScan) << 1;
        QTest::newRow("stop after the tab song") << int(kFullRefreshScan) << 8;
        QTest::newRow("stop deep in a group") << int(kFullRefreshScan) << 150;
        QTest::newRow("stop among the slides") << int(kFullRefreshScan) << 216;
        QTest::newRow("stop before the last playlist check") << int(kFullRefreshScan) << 222;
    }
    void workersFindWhatOneThreadFinds()
    {
        QFETCH(int, flags);
        QFETCH(int, stopAt);
        const ScanResult one = scan(1, flags, stopAt);
        QVERIFY(!one.facts.isEmpty());
        if (stopAt > 0)
            QCOMPARE(one.seen.size(), stopAt);
        for (int workers : {2, 4}) {
            const ScanResult many = scan(workers, flags, stopAt);
            QCOMPARE(many.seen, one.seen);
            QCOMPARE(many.facts, one.facts);
            // Every rewrite the one thread made, and no other: a song stopped before stays as it was.
            QCOMPARE(many.files, one.files);
        }
    }

    // The tab rewrite happened: a second scan finds canonical files and nothing to rewrite.
    void rewrittenFilesStayPut()
    {
        const QString card = newCard();
        QVERIFY(!card.isEmpty());
        ScanOptions options;
        options.workers = 4;
        SongLibrary library;
        library.setRoot(card);
        library.scanLibrary(kFullRefreshScan, {}, options);
        QVERIFY(!TestSupport::readFile(card + u"Adwent/0007 Z tabulatorem.txt").contains('\t'));
        QVERIFY(!TestSupport::readFile(card + u"screen_dir/0002 Tab.ekr").contains('\t'));
        const QStringList after = contents(card);
        library.scanLibrary(kFullRefreshScan, {}, options);
        QCOMPARE(contents(card), after);
    }

    // The scan's own lister finds the names the generic listing finds, in its order, and an
    // extension in capitals too (kept as the file spells it).
    void fileNamesAsTheGenericListing()
    {
        const QString dir = m_cards.next() + u"list";
        QVERIFY(QDir().mkpath(dir + u"/x.txt") && QDir().mkpath(dir + u"/sub"));
        for (const char *name :
             {"A.txt", "A-.txt", "AB.txt", "b.TXT", ".hidden.txt", "0001 Ą.txt", "plain", "c.txt.bak"})
            QVERIFY(TestSupport::writeFile(dir + u'/' + QString::fromUtf8(name), "x"));
        QVERIFY(QFile::link(dir + u"/A.txt", dir + u"/link.txt"));
        QVERIFY(::mkfifo(QFile::encodeName(dir + u"/pipe.txt").constData(), 0600) == 0);
        QStringList expected = sortedEntries(dir, QDir::Files | QDir::NoSymLinks, {u"*.txt"_qs});
        for (QString &name : expected)
            name.chop(4);
        QCOMPARE(expected, QStringList({u"0001 Ą"_qs, u"A-"_qs, u"A"_qs, u"AB"_qs}));
        const ItemListing listing = listItems(dir, ItemKind::Song);
        QCOMPARE(listing.names, expected + QStringList{u"b"_qs});
        QCOMPARE(listing.extensions, (QHash<QString, QString>{{u"b"_qs, u".TXT"_qs}}));
    }

    // Items are finished in order on the calling thread whatever order the workers end in, and a
    // stop leaves no work running and no later item finished.
    void orderedWorkersKeepTheOrder_data()
    {
        QTest::addColumn<int>("workers");
        QTest::addColumn<int>("lookAhead");
        QTest::addColumn<int>("stopAfter");
        QTest::newRow("one thread") << 1 << 8 << -1;
        QTest::newRow("four, small window") << 4 << 2 << -1;
        QTest::newRow("four, stopped") << 4 << 8 << 37;
        QTest::newRow("three, stopped at once") << 3 << 5 << 0;
    }
    void orderedWorkersKeepTheOrder()
    {
        QFETCH(int, workers);
        QFETCH(int, lookAhead);
        QFETCH(int, stopAfter);
        constexpr int kItems = 300;
        std::vector<int> results(size_t(lookAhead), -1);
        std::vector<std::atomic_int> worked(kItems);
        QList<int> finished;
        const std::thread::id caller = std::this_thread::get_id();
        bool finishedOnCaller = true;
        OrderedWorkers pool(workers, lookAhead);
        const bool completed = pool.run(
            kItems,
            [&](int i) {
                // Later items end sooner, so that the workers finish out of order.
                std::this_thread::sleep_for(std::chrono::microseconds((kItems - i) % 7 * 50));
                results[size_t(i % lookAhead)] = i;
                ++worked[size_t(i)];
            },
            [&](int i) {
                finishedOnCaller = finishedOnCaller && std::this_thread::get_id() == caller;
                if (results[size_t(i % lookAhead)] != i)
                    return false;
                finished << i;
                return i != stopAfter;
            });
        QVERIFY(finishedOnCaller);
        const int expected = stopAfter < 0 ? kItems : stopAfter + 1;
        QCOMPARE(completed, stopAfter < 0);
        QCOMPARE(finished.size(), expected);
        for (int i = 0; i < finished.size(); ++i)
            QCOMPARE(finished.at(i), i);
        // Nothing was worked on twice, nor further than the look-ahead past the stop.
        for (int i = 0; i < kItems; ++i) {
            QVERIFY(worked[size_t(i)] <= 1);
            if (i >= expected + lookAhead)
                QCOMPARE(worked[size_t(i)].load(), 0);
        }
    }
};

LUMIVOX_TEST_MAIN_CORE(TestParallelScan)
#include "tst_parallelscan.moc"
