// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/songlibrary.h"
#include "synth/syntheticcard.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

using LibraryNaming::ItemKind;

namespace {

QString issueLine(const LoadIssue &issue)
{
    return QString::number(issue.number) + u'\t' + QString::number(issue.code) + u'\t'
           + QString::number(issue.fileType) + u'\t' + issue.name;
}

QStringList issueLines(const IssueList &issues)
{
    QStringList lines;
    for (const LoadIssue &issue : issues)
        lines.append(issueLine(issue));
    return lines;
}

// A fixture issue list of tests/data/library, one issue a line.
QStringList expectedIssues(const QString &file)
{
    return QString::fromUtf8(TestSupport::readFile(TestSupport::testData(QStringLiteral("library/") + file)))
        .split(u'\n', Qt::SkipEmptyParts);
}

QByteArray song()
{
    QByteArray bytes = "#n 0\r\n#k 1,\r\n#z\r\n#e\r\n";
    for (int i = 0; i < 10; ++i)
        bytes += QByteArray(20, 'x') + "\r\n";
    return bytes;
}

QStringList groupNames(const SongLibrary &library)
{
    QStringList names;
    for (const SongGroupFiles &group : library.groups())
        names.append(group.name);
    return names;
}

} // namespace

class TestSongLibrary : public QObject
{
    Q_OBJECT

    TestSupport::CardFolders m_cards;
    QString m_card;

    // A fresh card root for each test.
    QString newCard() { return m_card = m_cards.next(); }
    bool put(const QString &relative, const QByteArray &bytes = song())
    {
        return TestSupport::writeFile(m_card + relative, bytes);
    }
    SongLibrary &scanned(SongLibrary &library, int flags = ScanFlags::kRefresh, const Progress &progress = {},
                         const ScanOptions &options = {})
    {
        library.setRoot(m_card);
        library.scanLibrary(flags, progress, options);
        return library;
    }

private slots:
    // Every issue code on one card, the list compared whole in the order found.
    void fixtureCardIssues_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("expected");
        QTest::newRow("full") << int(ScanFlags::kFullRefresh) << QStringLiteral("issuecard.full.tsv");
        QTest::newRow("without contents") << int(ScanFlags::kRefresh) << QStringLiteral("issuecard.tsv");
    }
    void fixtureCardIssues()
    {
        QFETCH(int, flags);
        QFETCH(QString, expected);
        newCard();
        QVERIFY(TestSupport::copyTree(TestSupport::testData(QStringLiteral("library/issuecard")), m_card));
        SongLibrary library;
        library.setRoot(m_card);
        QVERIFY(library.scanLibrary(flags));
        QCOMPARE(issueLines(library.issues()), expectedIssues(expected));

        QCOMPARE(groupNames(library), (QStringList{QStringLiteral("Adwent"), QStringLiteral("SCREEN_DIR"),
                                                   QStringLiteral("Wielkanoc")}));
        QCOMPARE(library.songCount(), 12);
        QCOMPARE(library.slideCount(), 3);
        QCOMPARE(library.playlistCount(), 3);
        QCOMPARE(library.groups().first().files.first(), QStringLiteral("0000 Amen"));
        QCOMPARE(library.slideLists().size(), 1);
        QCOMPARE(library.slideLists().first().name, QStringLiteral("screen_dir"));
        QCOMPARE(library.playlistLists().first().files,
                 (QStringList{QStringLiteral("0000 Zero"), QStringLiteral("0001 Druga"), QStringLiteral("0001 Msza")}));

        const LibraryNumberTable &songs = library.numbers(ItemKind::Song);
        QCOMPARE(songs.entry(10).fileName, QStringLiteral("0010 A"));
        QVERIFY(songs.entry(10).duplicate);
        QCOMPARE(songs.entry(10).groupIndex, 0);
        QCOMPARE(songs.entry(12).fileName, QStringLiteral("12ab Title"));
        QCOMPARE(songs.entry(2).groupIndex, 2);
        QCOMPARE(songs.entry(2).indexInGroup, 0);
        QVERIFY(!songs.entry(0).used);
        QCOMPARE(library.numbers(ItemKind::Slide).entry(1).fileName, QStringLiteral("0001 Inne ogloszenie"));
        QVERIFY(library.numbers(ItemKind::Playlist).entry(1).duplicate);
        QCOMPARE(library.findFreeNumber(ItemKind::Song), 7);
    }

    // A second scan starts from a clean state: no issue is listed twice.
    void rescanReplacesIssues()
    {
        newCard();
        QVERIFY(TestSupport::copyTree(TestSupport::testData(QStringLiteral("library/issuecard")), m_card));
        SongLibrary library;
        scanned(library, ScanFlags::kFullRefresh);
        const QStringList first = issueLines(library.issues());
        scanned(library, ScanFlags::kFullRefresh);
        QCOMPARE(issueLines(library.issues()), first);
        // A quick refresh drops the reader's issues of the full one.
        scanned(library, ScanFlags::kRefresh);
        QCOMPARE(issueLines(library.issues()), expectedIssues(QStringLiteral("issuecard.tsv")));
    }

    void emptyCardGetsItsDirectories()
    {
        newCard();
        SongLibrary library;
        library.setRoot(m_card);
        QVERIFY(!library.scanLibrary(ScanFlags::kRefresh));
        QVERIFY(QFileInfo(m_card + u"screen_dir").isDir());
        QVERIFY(QFileInfo(m_card + u"playlist_dir").isDir());
        QVERIFY(library.groups().isEmpty());
        QCOMPARE(library.slideLists().size(), 1);
        QCOMPARE(library.playlistLists().size(), 1);
    }

    // Files where the two directories belong: they cannot be created, and the scan goes on.
    void filesInPlaceOfTheDirectories()
    {
        newCard();
        QVERIFY(put(QStringLiteral("screen_dir"), "not a directory"));
        QVERIFY(put(QStringLiteral("playlist_dir"), "not a directory"));
        QVERIFY(put(QStringLiteral("G/0001 A.txt")));
        SongLibrary library;
        QVERIFY(scanned(library, ScanFlags::kFullRefresh).issues().isEmpty());
        QCOMPARE(library.songCount(), 1);
        QCOMPARE(library.slideCount(), 0);
        QCOMPARE(library.playlistCount(), 0);
        QVERIFY(QFileInfo(m_card + u"screen_dir").isFile());
    }

    void readOnlyScanChangesNothing()
    {
        newCard();
        QByteArray withTab = song();
        withTab[24] = '\t';
        QVERIFY(put(QStringLiteral("G/0001 Tab.txt"), withTab));
        SongLibrary library;
        scanned(library, ScanFlags::kFullRefresh, {}, ScanOptions::readOnly());
        QCOMPARE(library.songCount(), 1);
        QVERIFY(!QFileInfo::exists(m_card + u"screen_dir"));
        QVERIFY(!QFileInfo::exists(m_card + u"playlist_dir"));
        QCOMPARE(TestSupport::readFile(m_card + u"G/0001 Tab.txt"), withTab);
    }

    void missingRootEmptiesTheLibrary()
    {
        newCard();
        QVERIFY(put(QStringLiteral("G/0001 A.txt")));
        SongLibrary library;
        scanned(library);
        QCOMPARE(library.songCount(), 1);
        library.setRoot(m_card + u"gone");
        QVERIFY(!library.scanLibrary(ScanFlags::kRefresh));
        QCOMPARE(library.songCount(), 0);
        QVERIFY(library.groups().isEmpty());
        QVERIFY(library.issues().isEmpty());
        QVERIFY(!library.numbers(ItemKind::Song).isUsed(1));
        QVERIFY(!QFileInfo::exists(m_card + u"gone"));
    }

    void sameTitleIgnoresCase()
    {
        newCard();
        QVERIFY(put(QStringLiteral("A/0001 Kyrie.txt")));
        QVERIFY(put(QStringLiteral("A/0002 KYRIE.txt")));
        QVERIFY(put(QStringLiteral("B/0003 kyrie.txt")));
        QVERIFY(put(QStringLiteral("B/0004 Kyrie eleison.txt")));
        SongLibrary library;
        scanned(library);
        QCOMPARE(issueLines(library.issues()),
                 (QStringList{QStringLiteral("2\t6\t1\tA/0002 KYRIE"), QStringLiteral("3\t6\t1\tB/0003 kyrie")}));
    }

    // Names and entries a card may hold that are no library files, links among them; the scan
    // goes on past each.
    void badEntriesAreSkipped()
    {
        newCard();
        QVERIFY(put(QStringLiteral("G/0001 A.txt")));
        QVERIFY(QDir().mkpath(m_card + u"G/0002 x.txt"));              // a directory named like a song
        QVERIFY(put(QStringLiteral("G/.txt")));                         // a dot name
        QVERIFY(put(QStringLiteral("G/0003 upper.TXT")));               // the extension is lower case
        QVERIFY(put(QStringLiteral(".Trash-1000/0004 Kosz.txt")));      // desktop litter
        QVERIFY(put(QStringLiteral("0005 In the root.txt")));           // root files are no songs
        QVERIFY(put(QStringLiteral("G/sub/0006 Deeper.txt")));          // one level only
        QVERIFY(::mkfifo(QFile::encodeName(m_card + u"G/0007 Pipe.txt").constData(), 0600) == 0);
        QVERIFY(put(QStringLiteral("screen_dir/0008 x.ekr/keep")));     // a directory among the slides
        QVERIFY(put(QStringLiteral("playlist_dir/0009 x.lst/keep")));   // and among the playlists
        QTemporaryDir outside;                                          // links are never followed
        QVERIFY(TestSupport::writeFile(outside.filePath(QStringLiteral("0010 Outside.txt")), song()));
        QVERIFY(QFile::link(outside.path(), m_card + u"Linked"));
        QVERIFY(QFile::link(outside.filePath(QStringLiteral("0010 Outside.txt")), m_card + u"G/0010 Outside.txt"));
        QVERIFY(QFile::link(m_card + u"G", m_card + u"Loop"));
        QVERIFY(QFile::link(m_card + u"nowhere", m_card + u"G/0011 Dangling.txt"));
        SongLibrary library;
        scanned(library, ScanFlags::kFullRefresh);
        QCOMPARE(groupNames(library), QStringList{QStringLiteral("G")});
        QCOMPARE(library.groups().first().files, QStringList{QStringLiteral("0001 A")});
        QCOMPARE(library.songCount(), 1);
        QCOMPARE(library.slideCount(), 0);
        QCOMPARE(library.playlistCount(), 0);
        QVERIFY(library.issues().isEmpty());
    }

    // Names that are not valid UTF-8 cannot be named back to the file system; they are left out
    // of the listing, and the scan goes on with the next file.
    void nonUtf8NamesDoNotStopTheScan()
    {
        newCard();
        QVERIFY(put(QStringLiteral("G/0001 A.txt")));
        QVERIFY(put(QStringLiteral("G/0003 C.txt")));
        const QByteArray badName = QFile::encodeName(m_card + u"G/") + QByteArray("0002 B\xff\xfe.txt");
        const int fd = ::open(badName.constData(), O_CREAT | O_WRONLY, 0600);
        QVERIFY(fd >= 0);
        const QByteArray bytes = song();
        QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
        ::close(fd);
        QVERIFY(::mkdir(QByteArray(QFile::encodeName(m_card) + "Grupa \xc0").constData(), 0700) == 0);
        QVERIFY(TestSupport::writeFile(m_card + u"playlist_dir/0001 L.lst", "#0/\r\n#TXT/\t#C/\t#1/\t#0/\r\n"));
        SongLibrary library;
        scanned(library, ScanFlags::kFullRefresh);
        QCOMPARE(groupNames(library), QStringList{QStringLiteral("G")});
        // Qt cannot name these entries either, so the temporary folder could not remove them.
        ::unlink(badName.constData());
        ::rmdir(QByteArray(QFile::encodeName(m_card) + "Grupa \xc0").constData());
        QCOMPARE(library.groups().first().files, (QStringList{QStringLiteral("0001 A"), QStringLiteral("0003 C")}));
        QVERIFY(library.issues().isEmpty());
    }

    void unreadableSongIsListed()
    {
        newCard();
        QVERIFY(put(QStringLiteral("G/0001 A.txt")));
        QVERIFY(put(QStringLiteral("G/0002 B.txt")));
        QVERIFY(QFile::setPermissions(m_card + u"G/0001 A.txt", QFile::WriteOwner));
        QFile probe(m_card + u"G/0001 A.txt");
        const bool readable = probe.open(QIODevice::ReadOnly);
        SongLibrary library;
        if (!readable)
            scanned(library, ScanFlags::kFullRefresh);
        QFile::setPermissions(m_card + u"G/0001 A.txt", QFile::ReadOwner | QFile::WriteOwner);
        if (readable)
            QSKIP("permissions do not stop this user from reading");
        QCOMPARE(library.groups().first().files, (QStringList{QStringLiteral("0001 A"), QStringLiteral("0002 B")}));
        QVERIFY(library.issues().isEmpty());
    }

    void slideNumberComesFromItsFile()
    {
        newCard();
        QVERIFY(put(QStringLiteral("screen_dir/0007 Readable.ekr")));
        QVERIFY(put(QStringLiteral("screen_dir/0499 Last.ekr")));
        // A slide that cannot be read (here: gone between listing and reading) keeps its name's number.
        QVERIFY(put(QStringLiteral("screen_dir/0005 Gone.ekr")));
        Progress progress;
        progress.onFile = [this](const QString &file, int, int) {
            if (file == u"0005 Gone")
                QFile::remove(m_card + u"screen_dir/0005 Gone.ekr");
        };
        SongLibrary library;
        scanned(library, ScanFlags::kRefresh, progress);
        const LibraryNumberTable &slides = library.numbers(ItemKind::Slide);
        QVERIFY(slides.isUsed(5));
        QVERIFY(slides.isUsed(7));
        QVERIFY(slides.isUsed(499));
        QCOMPARE(library.findFreeNumber(ItemKind::Slide), 1);
        QCOMPARE(slides.entry(5).indexInGroup, 0);
        QCOMPARE(slides.entry(7).indexInGroup, 1);
        QCOMPARE(slides.entry(499).indexInGroup, 2);
        QVERIFY(library.issues().isEmpty());
    }

    void groupVanishingDuringTheScan()
    {
        newCard();
        QVERIFY(put(QStringLiteral("A/0001 A.txt")));
        QVERIFY(put(QStringLiteral("B/0002 B.txt")));
        QVERIFY(put(QStringLiteral("C/0003 C.txt")));
        Progress progress;
        progress.onDirectory = [this](const QString &group) {
            if (group == u"A")
                QDir(m_card + u"B").removeRecursively();
        };
        SongLibrary library;
        scanned(library, ScanFlags::kFullRefresh, progress);
        QCOMPARE(groupNames(library), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
        QVERIFY(library.groups().at(1).files.isEmpty());
        QCOMPARE(library.groups().at(2).files, QStringList{QStringLiteral("0003 C")});
    }

    void stopEndsTheScanBeforeTheNextFile()
    {
        newCard();
        for (int i = 1; i <= 5; ++i)
            QVERIFY(put(QStringLiteral("A/%1 S.txt").arg(i, 4, 10, QLatin1Char('0'))));
        QVERIFY(put(QStringLiteral("B/0010 T.txt")));
        SongLibrary library;
        QStringList seen;
        Progress progress;
        progress.onFile = [&](const QString &file, int, int) {
            seen.append(file);
            if (seen.size() == 3)
                library.requestStop();
        };
        scanned(library, ScanFlags::kRefresh, progress);
        QCOMPARE(seen.size(), 3);
        QCOMPARE(groupNames(library), QStringList{QStringLiteral("A")});
        QCOMPARE(library.groups().first().files.size(), 3);
        QVERIFY(library.slideLists().first().files.isEmpty());
        // The next scan clears the request; a caller's stop flag ends the scan before the first file.
        scanned(library, ScanFlags::kRefresh);
        QCOMPARE(library.groups().size(), 2);
        std::atomic_bool stop = true;
        progress = {};
        progress.stop = &stop;
        QVERIFY(scanned(library, ScanFlags::kRefresh, progress).groups().isEmpty());
    }

    // 5000 songs in 20 groups, 499 slides, 100 playlists: exactly the planted issues.
    void syntheticCardListsThePlantedIssues()
    {
        newCard();
        QList<PlantedIssue> planted;
        QString error;
        QVERIFY2(generateSyntheticCard(m_card, SyntheticCardSpec{}, &planted, &error), qPrintable(error));
        SongLibrary library;
        scanned(library, ScanFlags::kFullRefresh, {}, ScanOptions::readOnly());
        QCOMPARE(library.songCount(), 5000);
        QCOMPARE(library.groups().size(), 20);
        QCOMPARE(library.slideCount(), 499);
        QCOMPARE(library.playlistCount(), 100);
        QStringList found = issueLines(library.issues());
        QStringList expected;
        for (const PlantedIssue &issue : std::as_const(planted))
            expected.append(issueLine(LoadIssue{issue.number, issue.code, issue.name, issue.fileType}));
        QCOMPARE(expected.size(), 15);
        found.sort();
        expected.sort();
        QCOMPARE(found, expected);
        QCOMPARE(library.findFreeNumber(ItemKind::Song), 4996);
        QCOMPARE(library.findFreeNumber(ItemKind::Slide), 0);
    }
};

LUMIVOX_TEST_MAIN_CORE(TestSongLibrary)
#include "tst_songlibrary.moc"
