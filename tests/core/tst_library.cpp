// SPDX-License-Identifier: GPL-3.0-or-later
// The song library: a card's scan, the file commands, the tree's nodes, search, issue rows, drives.
#include "core/app/language.h"
#include "core/card/driveprovider.h"
#include "core/library/issuerows.h"
#include "core/library/libraryfiles.h"
#include "core/library/libraryiteminfo.h"
#include "core/search/librarysearch.h"
#include "core/library/songlibrary.h"
#include "core/model/itemname.h"
#include "testsupport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using LibraryFiles::MoveResult;
using LibraryNaming::ItemKind;
using TestSupport::readFile;
using TestSupport::songBytes;
using TestSupport::writeFiles;

namespace {

QString issueLine(const LoadIssue &issue)
{
    return QString::number(issue.number) + u'\t' + QString::number(int(issue.code)) + u'\t'
        + QString::number(int(issue.fileType)) + u'\t' + issue.location();
}

QStringList issueLines(const IssueList &issues)
{
    QStringList lines;
    for (const LoadIssue &issue : issues)
        lines.append(issueLine(issue));
    return lines;
}

// A fixture list of tests/data/library, one entry a line.
QStringList fixtureLines(const QString &file)
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

QStringList listing(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestLibrary : public QObject
{
    Q_OBJECT

    TestSupport::CardFolders m_cards;
    QString m_card;

    // A fresh card root for each test, holding the given song files.
    void newCard(const QStringList &songs = {}, const QByteArray &bytes = songBytes())
    {
        m_card = m_cards.next();
        QVERIFY(TestSupport::writeFiles(m_card, songs, bytes));
    }
    SongLibrary &scanned(SongLibrary &library, ScanFlags flags = kRefreshScan, const Progress &progress = {},
                         const ScanOptions &options = {})
    {
        library.setRoot(m_card);
        library.scanLibrary(flags, progress, options);
        return library;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_cards.isValid());
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
    }

    // Playlists and slides share the repair; slides take their number from the file read. The
    // owner of a number is renamed, the later files keep it.
    void repairRenamesOnlyTheOwner_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("after");
        const QStringList taken = {u"0001 a"_qs, u"0002 b"_qs, u"0003 c"_qs, u"0004 d"_qs, u"0006 f"_qs, u"0007 g"_qs};
        for (int kind : {int(ItemKind::Playlist), int(ItemKind::Slide)}) {
            const char *label = kind == int(ItemKind::Playlist) ? "playlists" : "slides";
            QTest::addRow("%s: 0005 A and B", label) << kind << (taken + QStringList{u"0005 A"_qs, u"0005 B"_qs})
                                                     << (taken + QStringList{u"0005 B"_qs, u"0008 A"_qs});
            QTest::addRow("%s: duplicates on 3 and 5", label)
                << kind << (taken + QStringList{u"0003 c2"_qs, u"0005 e"_qs, u"0005 e2"_qs})
                << QStringList{u"0001 a"_qs, u"0002 b"_qs, u"0003 c2"_qs, u"0004 d"_qs, u"0005 e2"_qs,
                               u"0006 f"_qs, u"0007 g"_qs, u"0008 c"_qs,  u"0009 e"_qs};
        }
    }
    void repairRenamesOnlyTheOwner()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, names);
        QFETCH(QStringList, after);
        const ItemKind itemKind = ItemKind(kind);
        const QString dir = LibraryNaming::singleDirectoryName(itemKind) + u'/';
        const QString ext = ItemName::extension(itemKind);
        const QString card = m_cards.next();
        // Each file carries its own name as an ignored last line, so the renamed file is recognisable.
        const auto bytesOf = [itemKind](const char *name) -> QByteArray {
            return (itemKind == ItemKind::Slide ? songBytes() : "#0/\r\n") + QByteArray(name) + "\r\n";
        };
        for (const QString &name : std::as_const(names))
            writeFiles(card, {dir + name + ext}, bytesOf(qPrintable(name)));
        SongLibrary library;
        library.setRoot(card);
        library.scanLibrary(kRefreshScan);

        const bool two = names.size() > 8;
        QCOMPARE(LibraryFiles::repairDuplicateNumbers(library, itemKind).renamed, two ? 2 : 1);
        QStringList expected;
        for (const QString &name : std::as_const(after))
            expected << name + ext;
        expected.sort();
        QCOMPARE(listing(card + dir), expected);
        const QString renamed = card + dir + (two ? u"0008 c"_qs : u"0008 A"_qs) + ext;
        QCOMPARE(readFile(renamed), bytesOf(two ? "0003 c" : "0005 A"));
        library.scanLibrary(kRefreshScan);
        QVERIFY(library.issues().isEmpty());
    }

    // With no free number the owners keep theirs: two of them once both became "0000 p" and
    // the first one's content was lost.
    void repairWithoutFreeNumberLeavesFiles()
    {
        QStringList names{u"playlist_dir/0009 q.lst"_qs, u"playlist_dir/0010 q.lst"_qs};
        for (int n = 1; n < LibraryNaming::kPlaylistTableSize; ++n)
            names << u"playlist_dir/"_qs + ItemName::format(n, u"p"_qs) + u".lst";
        SongLibrary library;
        newCard(names, "#0/\r\n");
        const QStringList before = TestSupport::treeOf(scanned(library).root());
        const LibraryFiles::RepairResult result = LibraryFiles::repairDuplicateNumbers(library, ItemKind::Playlist);
        QCOMPARE(result.renamed, 0);
        QCOMPARE(result.leftAsIs, QStringList({u"0009 p"_qs, u"0010 p"_qs}));
        QCOMPARE(TestSupport::treeOf(m_card), before);
    }

    void moveSongBetweenGroups()
    {
        const QString card = m_cards.next();
        writeFiles(card, {u"A/0001 x.txt"_qs}, songBytes('a'));
        writeFiles(card, {u"A/0002 y.txt"_qs}, songBytes('y'));
        writeFiles(card, {u"B/0002 y.txt"_qs}, songBytes('b'));
        const QString x = QStringLiteral("0001 x.txt");
        const QString y = QStringLiteral("0002 y.txt");
        const auto move = [&card](const QString &name, const char *to, bool replace, const char *from = "A") {
            return LibraryFiles::moveSong(card, QString::fromLatin1(from), name, QString::fromLatin1(to), replace);
        };
        QCOMPARE(move(x, "A", true), MoveResult::SameFile);
        QVERIFY(QFileInfo::exists(card + u"A/" + x));

        // An existing target stays until replacing is allowed; then it holds the dragged song's bytes.
        QCOMPARE(move(y, "B", false), MoveResult::TargetExists);
        QCOMPARE(readFile(card + u"A/" + y), songBytes('y'));
        QCOMPARE(readFile(card + u"B/" + y), songBytes('b'));
        QCOMPARE(move(y, "B", true), MoveResult::Moved);
        QVERIFY(!QFileInfo::exists(card + u"A/" + y));
        QCOMPARE(readFile(card + u"B/" + y), songBytes('y'));
        QCOMPARE(listing(card + u"B"), QStringList{y}); // no temporary file left behind

        QCOMPARE(move(x, "B", false), MoveResult::Moved);
        QCOMPARE(readFile(card + u"B/" + x), songBytes('a'));
        QCOMPARE(move(x, "B", false), MoveResult::SourceMissing);

        // A target that is the source through a link is the same file: nothing is deleted.
        QVERIFY(QFile::link(card + u"B", card + u"C"));
        QCOMPARE(move(x, "C", true, "B"), MoveResult::SameFile);
        QCOMPARE(readFile(card + u"B/" + x), songBytes('a'));
    }

    void groupsAndInitialisation()
    {
        const QString card = m_cards.next();
        const QString group = QStringLiteral("Kolędy");
        QVERIFY(LibraryFiles::createGroup(card, group));
        QVERIFY(!LibraryFiles::createGroup(card, group));
        // A song, or a hidden file the tree never shows, keeps the group.
        for (const QString &file : {u"0001 a.txt"_qs, u".hidden"_qs}) {
            QVERIFY(writeFiles(card, {group + u'/' + file}));
            QVERIFY(!LibraryFiles::removeGroup(card, group));
            QVERIFY(QFile::remove(card + group + u'/' + file));
        }
        QVERIFY(LibraryFiles::removeGroup(card, group));
        QVERIFY(!QFileInfo::exists(card + group));

        QVERIFY(LibraryFiles::initialiseCard(card));
        QVERIFY(QFileInfo(card + u"screen_dir").isDir());
        QVERIFY(QFileInfo(card + u"playlist_dir").isDir());
        QVERIFY(LibraryFiles::initialiseCard(card));
    }

    void replaceByCopyRefusesItsOwnSource()
    {
        const QString card = m_cards.next();
        writeFiles(card, {u"a.txt"_qs}, "abc");
        QVERIFY(!LibraryFiles::replaceByCopy(card + u"a.txt", card + u"./a.txt"));
        QCOMPARE(readFile(card + u"a.txt"), QByteArray("abc"));
        QVERIFY(!LibraryFiles::replaceByCopy(card + u"missing.txt", card + u"b.txt"));
        QVERIFY(!QFileInfo::exists(card + u"b.txt"));
    }

    // "kind parent text" of every node the tree shows (tests/data/library/tree-*.txt). An empty
    // card gets its two folders; it and a library never scanned still show the slide and playlist nodes.
    void treeNodes_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("nodes");
        const QStringList card = {u"Maryjne/0001 Zdrowaś.txt"_qs,       u"Maryjne/0003 Ave.txt"_qs,
                                  u"Maryjne/0012 Ave Maria.txt"_qs,     u"Adwent/0010 Rorate.txt"_qs,
                                  u"Adwent/0011 Archanioł.txt"_qs,      u"Pusta/.hidden"_qs,
                                  u"screen_dir/0002 Ogłoszenia.ekr"_qs, u"screen_dir/0001 Witamy.ekr"_qs,
                                  u"playlist_dir/0001 Msza.lst"_qs,     u"playlist_dir/0002 Inna.lst"_qs};
        QTest::newRow("by title") << card << int(TitleCollation::SortMode::ByTitle) << u"tree-by-title.txt"_qs;
        QTest::newRow("by number") << card << int(TitleCollation::SortMode::ByNumber) << u"tree-by-number.txt"_qs;
        QTest::newRow("empty card") << QStringList() << int(TitleCollation::SortMode::ByTitle) << u"tree-empty.txt"_qs;
    }
    void treeNodes()
    {
        QFETCH(QStringList, files);
        QFETCH(int, mode);
        const auto lines = [mode](SongLibrary &library) {
            QStringList lines;
            for (const LibraryTreeNode &node : libraryTreeNodes(library, TitleCollation::SortMode(mode)))
                lines << QStringLiteral("%1 %2 %3")
                             .arg(int(node.kind))
                             .arg(node.parent)
                             .arg(node.textId ? Lang::text(node.textId) : node.text);
            return lines;
        };
        SongLibrary library;
        newCard(files);
        QFETCH(QString, nodes);
        QCOMPARE(lines(scanned(library)), fixtureLines(nodes));
        QVERIFY(QFileInfo(m_card + u"screen_dir").isDir());
        QVERIFY(QFileInfo(m_card + u"playlist_dir").isDir());
        SongLibrary neverScanned;
        QCOMPARE(lines(neverScanned).size(), 3);
    }

    void songsWithNumberReadsEveryGroupInOrder()
    {
        SongLibrary library;
        newCard({u"B/0012 Ave Maria.txt"_qs, u"A/0012 Inna.txt"_qs, u"A/0013 Dalej.txt"_qs});
        writeFiles(scanned(library).root(), {u"A/0014 Zepsuta.txt"_qs}, QByteArray("\xff\x00garbage", 9));
        library.scanLibrary(kRefreshScan);
        const QList<LibrarySearch::SongRef> found = LibrarySearch::songsWithNumber(library, 12);
        QCOMPARE(found, (QList<LibrarySearch::SongRef>{{u"A"_qs, u"0012 Inna"_qs}, {u"B"_qs, u"0012 Ave Maria"_qs}}));
        QVERIFY(LibrarySearch::songsWithNumber(library, 99).isEmpty());
        QVERIFY(LibrarySearch::titleMatches(u"0012 AVE Maria", u"ave"));
        QVERIFY(!LibrarySearch::titleMatches(u"0013 Dalej", u"ave"));
    }

    void issueRowsSortByNumberWithBands()
    {
        IssueList issues;
        issues.append(12, IssueCode::DuplicateNumber, IssueFileType::Song, u"A"_qs, u"0012 b"_qs);
        issues.append(3, IssueCode::NumberOutOfRange, IssueFileType::Slide, {}, u"x"_qs);
        issues.append(12, IssueCode::DuplicateTitle, IssueFileType::Song, u"A"_qs, u"0012 a"_qs);
        issues.append(100, IssueCode::MissingEntry, IssueFileType::Playlist, {}, u"0100 p"_qs);
        issues.append(20, IssueCode::ShortLine, IssueFileType::Song, {}, u"y"_qs);
        issues.append(99, IssueCode(42), IssueFileType::Song, {}, u"z"_qs);
        QStringList rows;
        for (const IssueRow &row : issueRows(issues))
            rows << QStringLiteral("%1 %2 %3 %4").arg(row.number).arg(row.textId).arg(row.location).arg(row.band);
        // 100 after 20: numbers compare as integers, not as text.
        QCOMPARE(rows,
                 QStringList({u"3 193 x 0"_qs, u"12 194 A/0012 b 1"_qs, u"12 516 A/0012 a 1"_qs, u"20 493 y 0"_qs,
                              u"99 494 z 1"_qs, u"100 413 0100 p 0"_qs}));
    }

    void driveListTextsAndFolderCards()
    {
        DriveEntry card{u"CARD"_qs, u"/media/u/CARD/"_qs, false, u"FAT32"_qs, u"/dev/sdb1"_qs, false};
        QCOMPARE(DriveList::itemText(card), QStringLiteral("CARD /media/u/CARD/"));
        card.readOnly = true;
        QCOMPARE(DriveList::itemText(card), QStringLiteral("PROTECT CARD /media/u/CARD/"));
        const DriveEntry reader{{}, u"/media/u/EMPTY/"_qs, false, {}, {}, false};
        QCOMPARE(DriveList::listed({reader, card}), QList<DriveEntry>{card});
        QCOMPARE(DriveList::indexOfRoot({reader, card}, u"/media/u/CARD/"_qs), 1);
        QCOMPARE(DriveList::indexOfRoot({card}, QString()), -1);

        FolderCardProvider folders;
        const QString dir = m_cards.path(QStringLiteral("folder card"));
        QVERIFY(!folders.addFolder(dir));
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(folders.addFolder(dir));
        QVERIFY(folders.addFolder(dir + u"/"));
        QCOMPARE(folders.folders().size(), 1);
        const QList<DriveEntry> entries = folders.drives();
        const QString folder = folders.folders().first();
        QCOMPARE(
            entries,
            QList<DriveEntry>({{u"folder card"_qs, QDir::cleanPath(dir) + u'/', false, u"FOLDER"_qs, folder, true}}));
        // A folder that went away is not offered, as a reader without a medium is not.
        QVERIFY(QDir(dir).removeRecursively());
        QVERIFY(folders.drives().isEmpty());
    }

    // Scanning a card.
    // Every issue code on one card, the list compared whole in the order found.
    void fixtureCardIssues_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("expected");
        QTest::newRow("full") << int(kFullRefreshScan) << QStringLiteral("issuecard.full.tsv");
        QTest::newRow("without contents") << int(kRefreshScan) << QStringLiteral("issuecard.tsv");
    }
    void fixtureCardIssues()
    {
        QFETCH(int, flags);
        QFETCH(QString, expected);
        newCard();
        QVERIFY(TestSupport::copyTree(TestSupport::testData(QStringLiteral("library/issuecard")), m_card));
        SongLibrary library;
        library.setRoot(m_card);
        QVERIFY(library.scanLibrary(ScanFlags::fromInt(flags)));
        QCOMPARE(issueLines(library.issues()), fixtureLines(expected));

        QCOMPARE(
            listing(library),
            QStringList({u"Adwent: 0000 Amen, 0001 Kyrie, 0003 Krotki wiersz, 0004 Pusta kolejnosc, 0005 Bez refrenu, "
                         "0006 Tytul dluzszy niz trzydziesci cztery, 0010 A, 12ab Title"_qs,
                         u"SCREEN_DIR: 0020 Ekran"_qs, u"Wielkanoc: 0002 KYRIE, 0010 B, 5000 X"_qs,
                         u"screen_dir: 0001 Inne ogloszenie, 0001 Ogloszenie, 0600 Za duzy numer"_qs,
                         u"playlist_dir: 0000 Zero, 0001 Druga, 0001 Msza"_qs}));
        QCOMPARE(QList<int>({library.songCount(), library.slideCount(), library.playlistCount()}),
                 QList<int>({12, 3, 3}));

        // Number: owner's file name, group and index in it; duplicates marked.
        const LibraryNumberTable &songs = library.numbers(ItemKind::Song);
        QStringList owners;
        for (int n : {0, 2, 10, 12}) {
            const LibraryNumberTable::Entry &e = songs.entry(n);
            owners << QStringLiteral("%1: %2 %3/%4%5")
                          .arg(n)
                          .arg(e.fileName)
                          .arg(e.groupIndex)
                          .arg(e.indexInGroup)
                          .arg(e.duplicate  ? u" duplicate"_qs
                                   : e.used ? QString()
                                            : u" free"_qs);
        }
        QCOMPARE(owners,
                 QStringList({u"0:  0/0 free"_qs, u"2: 0002 KYRIE 2/0"_qs, u"10: 0010 A 0/6 duplicate"_qs,
                              u"12: 12ab Title 0/7"_qs}));
        QCOMPARE(library.numbers(ItemKind::Slide).entry(1).fileName, QStringLiteral("0001 Inne ogloszenie"));
        QVERIFY(library.numbers(ItemKind::Playlist).entry(1).duplicate);
        QCOMPARE(library.findFreeNumber(ItemKind::Song), 7);

        // A second scan starts afresh, and a quick one drops the reader's issues of a full one.
        QVERIFY(library.scanLibrary(ScanFlags::fromInt(flags)));
        QCOMPARE(issueLines(library.issues()), fixtureLines(expected));
        library.scanLibrary(kRefreshScan);
        QCOMPARE(issueLines(library.issues()), fixtureLines(QStringLiteral("issuecard.tsv")));
    }

    // Files where the two directories belong: they cannot be created, and the scan goes on.
    void filesInPlaceOfTheDirectories()
    {
        newCard({u"G/0001 A.txt"_qs});
        QVERIFY(TestSupport::writeFiles(m_card, {u"screen_dir"_qs, u"playlist_dir"_qs}, "not a directory"));
        SongLibrary library;
        QVERIFY(scanned(library, kFullRefreshScan).issues().isEmpty());
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
        scanned(library, kFullRefreshScan, {}, ScanOptions::readOnly());
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
        QVERIFY(!library.scanLibrary(kRefreshScan));
        QCOMPARE(library.songCount(), 0);
        QVERIFY(listing(library).isEmpty());
        QVERIFY(library.issues().isEmpty());
        QVERIFY(!library.numbers(ItemKind::Song).isUsed(1));
        QVERIFY(!QFileInfo::exists(m_card + u"gone"));
    }

    void sameTitleIgnoresCase()
    {
        newCard(
            {u"A/0001 Kyrie.txt"_qs, u"A/0002 KYRIE.txt"_qs, u"B/0003 kyrie.txt"_qs, u"B/0004 Kyrie eleison.txt"_qs});
        SongLibrary library;
        scanned(library);
        QCOMPARE(issueLines(library.issues()),
                 (QStringList{QStringLiteral("2\t6\t1\tA/0002 KYRIE"), QStringLiteral("3\t6\t1\tB/0003 kyrie")}));
    }

    // Names and entries a card may hold that are no library files, links among them; the scan
    // goes on past each. An extension in capitals is a song's all the same (FAT does not care),
    // and a song in the root of a card with folders is one the board does not show.
    void badEntriesAreSkipped()
    {
        // Beside two songs: a dot name, desktop litter, a file in the root and one a level
        // deeper, directories named like a song, a slide and a playlist.
        newCard({u"G/0001 A.txt"_qs, u"G/.txt"_qs, u"G/0003 upper.TXT"_qs, u".Trash-1000/0004 Kosz.txt"_qs,
                 u"0005 In the root.txt"_qs, u"G/sub/0006 Deeper.txt"_qs, u"G/0002 x.txt/keep"_qs,
                 u"screen_dir/0008 x.ekr/keep"_qs, u"playlist_dir/0009 x.lst/keep"_qs});
        QVERIFY(::mkfifo(QFile::encodeName(m_card + u"G/0007 Pipe.txt").constData(), 0600) == 0);
        QTemporaryDir outside; // links are never followed
        QVERIFY(TestSupport::writeFile(outside.filePath(QStringLiteral("0010 Outside.txt")), songBytes()));
        QVERIFY(QFile::link(outside.path(), m_card + u"Linked"));
        QVERIFY(QFile::link(outside.filePath(QStringLiteral("0010 Outside.txt")), m_card + u"G/0010 Outside.txt"));
        QVERIFY(QFile::link(m_card + u"G", m_card + u"Loop"));
        QVERIFY(QFile::link(m_card + u"nowhere", m_card + u"G/0011 Dangling.txt"));
        SongLibrary library;
        scanned(library, kFullRefreshScan);
        QCOMPARE(listing(library),
                 QStringList({u"G: 0001 A, 0003 upper"_qs, u"screen_dir: "_qs, u"playlist_dir: "_qs}));
        QCOMPARE(library.songCount(), 2);
        QCOMPARE(issueLines(library.issues()), QStringList{u"5\t10\t1\t0005 In the root.txt"_qs});
    }

    // Names that are not valid UTF-8 cannot be named back to the file system; they are left out
    // of the listing and listed as issues, and the scan goes on with the next file.
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
        scanned(library, kFullRefreshScan);
        // Qt cannot name these entries either, so the temporary folder could not remove them.
        ::unlink(badName.constData());
        ::rmdir(QByteArray(QFile::encodeName(m_card) + "Grupa \xc0").constData());
        QCOMPARE(listing(library),
                 QStringList({u"G: 0001 A, 0003 C"_qs, u"screen_dir: "_qs, u"playlist_dir: 0001 L"_qs}));
        QCOMPARE(issueLines(library.issues()),
                 QStringList({u"2\t9\t1\tG/0002 B\\xFF\\xFE.txt"_qs, u"0\t9\t1\tGrupa \\xC0"_qs}));
    }

    void unreadableSongIsListed()
    {
        newCard({u"G/0001 A.txt"_qs, u"G/0002 B.txt"_qs});
        QVERIFY(QFile::setPermissions(m_card + u"G/0001 A.txt", QFile::WriteOwner));
        QFile probe(m_card + u"G/0001 A.txt");
        const bool readable = probe.open(QIODevice::ReadOnly);
        SongLibrary library;
        if (!readable)
            scanned(library, kFullRefreshScan);
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
        scanned(library, kRefreshScan, progress);
        const LibraryNumberTable &slides = library.numbers(ItemKind::Slide);
        QCOMPARE(library.findFreeNumber(ItemKind::Slide), 1);
        for (int n : {5, 7, 499})
            QVERIFY(slides.isUsed(n));
        QCOMPARE(
            QList<int>({slides.entry(5).indexInGroup, slides.entry(7).indexInGroup, slides.entry(499).indexInGroup}),
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
        scanned(library, kFullRefreshScan, progress);
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
        scanned(library, kRefreshScan, progress);
        QCOMPARE(seen.size(), 3);
        QCOMPARE(listing(library),
                 QStringList({u"A: 0001 S, 0002 S, 0003 S"_qs, u"screen_dir: "_qs, u"playlist_dir: "_qs}));
        // The next scan clears the request; a caller's stop flag ends the scan before the first file.
        scanned(library, kRefreshScan);
        QCOMPARE(library.groups().size(), 2);
        std::atomic_bool stop = true;
        progress = {};
        progress.stop = &stop;
        QVERIFY(scanned(library, kRefreshScan, progress).groups().isEmpty());
    }
};

LUMIVOX_TEST_MAIN_CORE(TestLibrary)
#include "tst_library.moc"
