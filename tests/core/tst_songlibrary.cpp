// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/songlibrary.h"
#include "testsupport.h"

#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

using LibraryNaming::ItemKind;
using TestSupport::songBytes;

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

// The groups, then the slide and playlist folders, each with the files the scan listed.
QStringList listing(const SongLibrary &library)
{
    QStringList lines;
    for (const QList<SongGroupFiles> *lists : {&library.groups(), &library.slideLists(), &library.playlistLists()}) {
        for (const SongGroupFiles &group : *lists)
            lines << group.name + u": " + group.files.join(u", ");
    }
    return lines;
}

} // namespace

class TestSongLibrary : public QObject
{
    Q_OBJECT

    TestSupport::CardFolders m_cards;
    QString m_card;

    // A fresh card root for each test, holding the given song files.
    void newCard(const QStringList &songs = {})
    {
        m_card = m_cards.next();
        QVERIFY(TestSupport::writeFiles(m_card, songs));
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

        QCOMPARE(listing(library),
                 QStringList({u"Adwent: 0000 Amen, 0001 Kyrie, 0003 Krotki wiersz, 0004 Pusta kolejnosc, 0005 Bez refrenu, "
                              "0006 Tytul dluzszy niz trzydziesci cztery, 0010 A, 12ab Title"_qs,
                              u"SCREEN_DIR: 0020 Ekran"_qs, u"Wielkanoc: 0002 KYRIE, 0010 B, 5000 X"_qs,
                              u"screen_dir: 0001 Inne ogloszenie, 0001 Ogloszenie, 0600 Za duzy numer"_qs,
                              u"playlist_dir: 0000 Zero, 0001 Druga, 0001 Msza"_qs}));
        QCOMPARE(QList<int>({library.songCount(), library.slideCount(), library.playlistCount()}), QList<int>({12, 3, 3}));

        // Number: owner's file name, group and index in it; duplicates marked.
        const LibraryNumberTable &songs = library.numbers(ItemKind::Song);
        QStringList owners;
        for (int n : {0, 2, 10, 12}) {
            const LibraryNumberTable::Entry &e = songs.entry(n);
            owners << QStringLiteral("%1: %2 %3/%4%5").arg(n).arg(e.fileName).arg(e.groupIndex).arg(e.indexInGroup)
                          .arg(e.duplicate ? u" duplicate"_qs : e.used ? QString() : u" free"_qs);
        }
        QCOMPARE(owners, QStringList({u"0:  0/0 free"_qs, u"2: 0002 KYRIE 2/0"_qs, u"10: 0010 A 0/6 duplicate"_qs,
                                      u"12: 12ab Title 0/7"_qs}));
        QCOMPARE(library.numbers(ItemKind::Slide).entry(1).fileName, QStringLiteral("0001 Inne ogloszenie"));
        QVERIFY(library.numbers(ItemKind::Playlist).entry(1).duplicate);
        QCOMPARE(library.findFreeNumber(ItemKind::Song), 7);

        // A second scan starts afresh, and a quick one drops the reader's issues of a full one.
        QVERIFY(library.scanLibrary(flags));
        QCOMPARE(issueLines(library.issues()), expectedIssues(expected));
        library.scanLibrary(ScanFlags::kRefresh);
        QCOMPARE(issueLines(library.issues()), expectedIssues(QStringLiteral("issuecard.tsv")));
    }

    // Files where the two directories belong: they cannot be created, and the scan goes on.
    void filesInPlaceOfTheDirectories()
    {
        newCard({u"G/0001 A.txt"_qs});
        QVERIFY(TestSupport::writeFiles(m_card, {u"screen_dir"_qs, u"playlist_dir"_qs}, "not a directory"));
        SongLibrary library;
        QVERIFY(scanned(library, ScanFlags::kFullRefresh).issues().isEmpty());
        QCOMPARE(listing(library), QStringList({u"G: 0001 A"_qs, u"screen_dir: "_qs, u"playlist_dir: "_qs}));
        QVERIFY(QFileInfo(m_card + u"screen_dir").isFile());
    }

    void readOnlyScanChangesNothing()
    {
        newCard();
        QByteArray withTab = songBytes();
        withTab[24] = '\t';
        QVERIFY(TestSupport::writeFile(m_card + u"G/0001 Tab.txt", withTab));
        SongLibrary library;
        scanned(library, ScanFlags::kFullRefresh, {}, ScanOptions::readOnly());
        QCOMPARE(library.songCount(), 1);
        QVERIFY(!QFileInfo::exists(m_card + u"screen_dir"));
        QVERIFY(!QFileInfo::exists(m_card + u"playlist_dir"));
        QCOMPARE(TestSupport::readFile(m_card + u"G/0001 Tab.txt"), withTab);
    }

    void missingRootEmptiesTheLibrary()
    {
        newCard({u"G/0001 A.txt"_qs});
        SongLibrary library;
        scanned(library);
        QCOMPARE(library.songCount(), 1);
        library.setRoot(m_card + u"gone");
        QVERIFY(!library.scanLibrary(ScanFlags::kRefresh));
        QCOMPARE(library.songCount(), 0);
        QVERIFY(listing(library).isEmpty());
        QVERIFY(library.issues().isEmpty());
        QVERIFY(!library.numbers(ItemKind::Song).isUsed(1));
        QVERIFY(!QFileInfo::exists(m_card + u"gone"));
    }

    void sameTitleIgnoresCase()
    {
        newCard({u"A/0001 Kyrie.txt"_qs, u"A/0002 KYRIE.txt"_qs, u"B/0003 kyrie.txt"_qs, u"B/0004 Kyrie eleison.txt"_qs});
        SongLibrary library;
        scanned(library);
        QCOMPARE(issueLines(library.issues()),
                 (QStringList{QStringLiteral("2\t6\t1\tA/0002 KYRIE"), QStringLiteral("3\t6\t1\tB/0003 kyrie")}));
    }

    // Names and entries a card may hold that are no library files, links among them; the scan
    // goes on past each.
    void badEntriesAreSkipped()
    {
        // Beside one song: a dot name, an upper-case extension, desktop litter, a file in the root
        // and one a level deeper, directories named like a song, a slide and a playlist.
        newCard({u"G/0001 A.txt"_qs, u"G/.txt"_qs, u"G/0003 upper.TXT"_qs, u".Trash-1000/0004 Kosz.txt"_qs,
                 u"0005 In the root.txt"_qs, u"G/sub/0006 Deeper.txt"_qs, u"G/0002 x.txt/keep"_qs,
                 u"screen_dir/0008 x.ekr/keep"_qs, u"playlist_dir/0009 x.lst/keep"_qs});
        QVERIFY(::mkfifo(QFile::encodeName(m_card + u"G/0007 Pipe.txt").constData(), 0600) == 0);
        QTemporaryDir outside;                                          // links are never followed
        QVERIFY(TestSupport::writeFile(outside.filePath(QStringLiteral("0010 Outside.txt")), songBytes()));
        QVERIFY(QFile::link(outside.path(), m_card + u"Linked"));
        QVERIFY(QFile::link(outside.filePath(QStringLiteral("0010 Outside.txt")), m_card + u"G/0010 Outside.txt"));
        QVERIFY(QFile::link(m_card + u"G", m_card + u"Loop"));
        QVERIFY(QFile::link(m_card + u"nowhere", m_card + u"G/0011 Dangling.txt"));
        SongLibrary library;
        scanned(library, ScanFlags::kFullRefresh);
        QCOMPARE(listing(library), QStringList({u"G: 0001 A"_qs, u"screen_dir: "_qs, u"playlist_dir: "_qs}));
        QCOMPARE(library.songCount(), 1);
        QVERIFY(library.issues().isEmpty());
    }

    // Names that are not valid UTF-8 cannot be named back to the file system; they are left out
    // of the listing, and the scan goes on with the next file.
    void nonUtf8NamesDoNotStopTheScan()
    {
        newCard({u"G/0001 A.txt"_qs, u"G/0003 C.txt"_qs});
        const QByteArray badName = QFile::encodeName(m_card + u"G/") + QByteArray("0002 B\xff\xfe.txt");
        const int fd = ::open(badName.constData(), O_CREAT | O_WRONLY, 0600);
        QVERIFY(fd >= 0);
        const QByteArray bytes = songBytes();
        QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
        ::close(fd);
        QVERIFY(::mkdir(QByteArray(QFile::encodeName(m_card) + "Grupa \xc0").constData(), 0700) == 0);
        QVERIFY(TestSupport::writeFile(m_card + u"playlist_dir/0001 L.lst", "#0/\r\n#TXT/\t#C/\t#1/\t#0/\r\n"));
        SongLibrary library;
        scanned(library, ScanFlags::kFullRefresh);
        // Qt cannot name these entries either, so the temporary folder could not remove them.
        ::unlink(badName.constData());
        ::rmdir(QByteArray(QFile::encodeName(m_card) + "Grupa \xc0").constData());
        QCOMPARE(listing(library), QStringList({u"G: 0001 A, 0003 C"_qs, u"screen_dir: "_qs, u"playlist_dir: 0001 L"_qs}));
        QVERIFY(library.issues().isEmpty());
    }

    void unreadableSongIsListed()
    {
        newCard({u"G/0001 A.txt"_qs, u"G/0002 B.txt"_qs});
        QVERIFY(QFile::setPermissions(m_card + u"G/0001 A.txt", QFile::WriteOwner));
        QFile probe(m_card + u"G/0001 A.txt");
        const bool readable = probe.open(QIODevice::ReadOnly);
        SongLibrary library;
        if (!readable)
            scanned(library, ScanFlags::kFullRefresh);
        QFile::setPermissions(m_card + u"G/0001 A.txt", QFile::ReadOwner | QFile::WriteOwner);
        if (readable)
            QSKIP("permissions do not stop this user from reading");
        QCOMPARE(listing(library).first(), u"G: 0001 A, 0002 B"_qs);
        QVERIFY(library.issues().isEmpty());
    }

    void slideNumberComesFromItsFile()
    {
        // A slide that cannot be read (here: gone between listing and reading) keeps its name's number.
        newCard({u"screen_dir/0007 Readable.ekr"_qs, u"screen_dir/0499 Last.ekr"_qs, u"screen_dir/0005 Gone.ekr"_qs});
        Progress progress;
        progress.onFile = [this](const QString &file, int, int) {
            if (file == u"0005 Gone")
                QFile::remove(m_card + u"screen_dir/0005 Gone.ekr");
        };
        SongLibrary library;
        scanned(library, ScanFlags::kRefresh, progress);
        const LibraryNumberTable &slides = library.numbers(ItemKind::Slide);
        QCOMPARE(library.findFreeNumber(ItemKind::Slide), 1);
        for (int n : {5, 7, 499})
            QVERIFY(slides.isUsed(n));
        QCOMPARE(QList<int>({slides.entry(5).indexInGroup, slides.entry(7).indexInGroup, slides.entry(499).indexInGroup}),
                 QList<int>({0, 1, 2}));
        QVERIFY(library.issues().isEmpty());
    }

    void groupVanishingDuringTheScan()
    {
        newCard({u"A/0001 A.txt"_qs, u"B/0002 B.txt"_qs, u"C/0003 C.txt"_qs});
        Progress progress;
        progress.onDirectory = [this](const QString &group) {
            if (group == u"A")
                QDir(m_card + u"B").removeRecursively();
        };
        SongLibrary library;
        scanned(library, ScanFlags::kFullRefresh, progress);
        QCOMPARE(listing(library).mid(0, 3), QStringList({u"A: 0001 A"_qs, u"B: "_qs, u"C: 0003 C"_qs}));
    }

    void stopEndsTheScanBeforeTheNextFile()
    {
        newCard({u"A/0001 S.txt"_qs, u"A/0002 S.txt"_qs, u"A/0003 S.txt"_qs, u"A/0004 S.txt"_qs, u"A/0005 S.txt"_qs,
                 u"B/0010 T.txt"_qs});
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
        QCOMPARE(listing(library), QStringList({u"A: 0001 S, 0002 S, 0003 S"_qs, u"screen_dir: "_qs, u"playlist_dir: "_qs}));
        // The next scan clears the request; a caller's stop flag ends the scan before the first file.
        scanned(library, ScanFlags::kRefresh);
        QCOMPARE(library.groups().size(), 2);
        std::atomic_bool stop = true;
        progress = {};
        progress.stop = &stop;
        QVERIFY(scanned(library, ScanFlags::kRefresh, progress).groups().isEmpty());
    }
};

LUMIVOX_TEST_MAIN_CORE(TestSongLibrary)
#include "tst_songlibrary.moc"
