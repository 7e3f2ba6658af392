// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/language.h"
#include "core/card/driveprovider.h"
#include "core/library/issuerows.h"
#include "core/library/libraryfiles.h"
#include "core/library/libraryiteminfo.h"
#include "core/library/librarysearch.h"
#include "core/library/songlibrary.h"
#include "core/model/itemname.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

using LibraryNaming::ItemKind;
using LibraryFiles::MoveResult;

namespace {

QByteArray songBytes(char fill = 'x')
{
    QByteArray bytes = "#n 0\r\n#k 1,\r\n#z\r\n#e\r\n";
    for (int i = 0; i < 10; ++i)
        bytes += QByteArray(20, fill) + "\r\n";
    return bytes;
}

QStringList listing(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestLibraryFiles : public QObject
{
    Q_OBJECT

    TestSupport::CardFolders m_cards;

    QString newCard() { return m_cards.next(); }

    static void put(const QString &card, const QString &relative, const QByteArray &bytes = songBytes())
    {
        QVERIFY(TestSupport::writeFile(card + relative, bytes));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_cards.isValid());
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
    }

    // Playlists and slides share the repair; slides take their number from the file read.
    void repairRenamesOnlyTheOwner_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("after");
        const QStringList taken = {QStringLiteral("0001 a"), QStringLiteral("0002 b"), QStringLiteral("0003 c"),
                                   QStringLiteral("0004 d"), QStringLiteral("0006 f"), QStringLiteral("0007 g")};
        for (int kind : {int(ItemKind::Playlist), int(ItemKind::Slide)}) {
            const char *label = kind == int(ItemKind::Playlist) ? "playlists" : "slides";
            QTest::addRow("%s: 0005 A and B", label)
                << kind << (taken + QStringList{QStringLiteral("0005 A"), QStringLiteral("0005 B")})
                << (taken + QStringList{QStringLiteral("0005 B"), QStringLiteral("0008 A")});
            QTest::addRow("%s: duplicates on 3 and 5", label)
                << kind
                << QStringList{QStringLiteral("0001 a"), QStringLiteral("0002 b"), QStringLiteral("0003 c"),
                               QStringLiteral("0003 c2"), QStringLiteral("0004 d"), QStringLiteral("0005 e"),
                               QStringLiteral("0005 e2"), QStringLiteral("0006 f"), QStringLiteral("0007 g")}
                << QStringList{QStringLiteral("0001 a"), QStringLiteral("0002 b"), QStringLiteral("0003 c2"),
                               QStringLiteral("0004 d"), QStringLiteral("0005 e2"), QStringLiteral("0006 f"),
                               QStringLiteral("0007 g"), QStringLiteral("0008 c"), QStringLiteral("0009 e")};
        }
    }

    void repairRenamesOnlyTheOwner()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, names);
        QFETCH(QStringList, after);
        const ItemKind itemKind = ItemKind(kind);
        const QString card = newCard();
        const QString dir = LibraryNaming::singleDirectoryName(itemKind) + u'/';
        const QString ext = ItemName::extension(itemKind);
        // Each file carries its own name as an ignored last line, so the renamed file is recognisable.
        for (const QString &name : std::as_const(names))
            put(card, dir + name + ext,
                (itemKind == ItemKind::Slide ? songBytes() : QByteArray("#0/\r\n")) + name.toUtf8() + "\r\n");
        SongLibrary library;
        library.setRoot(card);
        library.scanLibrary(ScanFlags::kRefresh);
        const QByteArray ownerBytes = TestSupport::readFile(card + dir + names.at(names.size() > 8 ? 2 : 6) + ext);

        QCOMPARE(LibraryFiles::repairDuplicateNumbers(library, itemKind).renamed, names.size() > 8 ? 2 : 1);
        QStringList expected;
        for (const QString &name : std::as_const(after))
            expected << name + ext;
        std::sort(expected.begin(), expected.end());
        QCOMPARE(listing(card + dir), expected);
        // The renamed file is the owner's, byte for byte.
        const QString renamed = card + dir + (names.size() > 8 ? QStringLiteral("0008 c") : QStringLiteral("0008 A")) + ext;
        QCOMPARE(TestSupport::readFile(renamed), ownerBytes);

        library.scanLibrary(ScanFlags::kRefresh);
        QVERIFY(library.issues().isEmpty());
    }

    // With no free number the owners keep theirs: two of them once both became "0000 p" and
    // the first one's content was lost.
    void repairWithoutFreeNumberLeavesFiles()
    {
        const QString card = newCard();
        for (int n = 1; n < LibraryNaming::kPlaylistTableSize; ++n)
            put(card, QStringLiteral("playlist_dir/%1.lst").arg(ItemName::format(n, QStringLiteral("p"))), "#0/\r\n");
        put(card, QStringLiteral("playlist_dir/0009 q.lst"), "#0/\r\n");
        put(card, QStringLiteral("playlist_dir/0010 q.lst"), "#1/\r\n");
        const QStringList before = listing(card + u"playlist_dir/");
        SongLibrary library;
        library.setRoot(card);
        library.scanLibrary(ScanFlags::kRefresh);
        const LibraryFiles::RepairResult result = LibraryFiles::repairDuplicateNumbers(library, ItemKind::Playlist);
        QCOMPARE(result.renamed, 0);
        QCOMPARE(result.leftAsIs, QStringList({u"0009 p"_qs, u"0010 p"_qs}));
        QCOMPARE(listing(card + u"playlist_dir/"), before);
    }

    void moveSongBetweenGroups()
    {
        const QString card = newCard();
        put(card, QStringLiteral("A/0001 x.txt"), songBytes('a'));
        put(card, QStringLiteral("A/0002 y.txt"), songBytes('y'));
        put(card, QStringLiteral("B/0002 y.txt"), songBytes('b'));
        const QString name1 = QStringLiteral("0001 x.txt");
        const QString name2 = QStringLiteral("0002 y.txt");

        QCOMPARE(LibraryFiles::moveSong(card, QStringLiteral("A"), name1, QStringLiteral("A"), true), MoveResult::SameFile);
        QVERIFY(QFileInfo::exists(card + u"A/" + name1));

        // An existing target stays until replacing is allowed; then it holds the dragged song's bytes.
        QCOMPARE(LibraryFiles::moveSong(card, QStringLiteral("A"), name2, QStringLiteral("B"), false),
                 MoveResult::TargetExists);
        QCOMPARE(TestSupport::readFile(card + u"A/" + name2), songBytes('y'));
        QCOMPARE(TestSupport::readFile(card + u"B/" + name2), songBytes('b'));
        QCOMPARE(LibraryFiles::moveSong(card, QStringLiteral("A"), name2, QStringLiteral("B"), true), MoveResult::Moved);
        QVERIFY(!QFileInfo::exists(card + u"A/" + name2));
        QCOMPARE(TestSupport::readFile(card + u"B/" + name2), songBytes('y'));
        QCOMPARE(listing(card + u"B"), QStringList{name2}); // no temporary file left behind

        QCOMPARE(LibraryFiles::moveSong(card, QStringLiteral("A"), name1, QStringLiteral("B"), false), MoveResult::Moved);
        QCOMPARE(TestSupport::readFile(card + u"B/" + name1), songBytes('a'));
        QCOMPARE(LibraryFiles::moveSong(card, QStringLiteral("A"), name1, QStringLiteral("B"), false),
                 MoveResult::SourceMissing);

        // A target that is the source through a link is the same file: nothing is deleted.
        QVERIFY(QFile::link(card + u"B", card + u"C"));
        QCOMPARE(LibraryFiles::moveSong(card, QStringLiteral("B"), name1, QStringLiteral("C"), true), MoveResult::SameFile);
        QCOMPARE(TestSupport::readFile(card + u"B/" + name1), songBytes('a'));
    }

    void renamePlaylistKeepsNumberAndNeverOverwrites()
    {
        const QString card = newCard();
        const QString dir = card + u"playlist_dir";
        put(card, QStringLiteral("playlist_dir/0003 Msza.lst"), "#0/\r\nold\r\n");
        put(card, QStringLiteral("playlist_dir/0003 Inna.lst"), "#0/\r\nother\r\n");
        QString newName;
        QVERIFY(!LibraryFiles::renamePlaylist(dir, QStringLiteral("0003 Msza.lst"), QStringLiteral("Inna"), &newName));
        QCOMPARE(newName, QStringLiteral("0003 Inna.lst"));
        QCOMPARE(TestSupport::readFile(dir + u"/0003 Msza.lst"), QByteArray("#0/\r\nold\r\n"));
        QCOMPARE(TestSupport::readFile(dir + u"/0003 Inna.lst"), QByteArray("#0/\r\nother\r\n"));

        QVERIFY(LibraryFiles::renamePlaylist(dir, QStringLiteral("0003 Msza.lst"), QStringLiteral("Niedziela")));
        QCOMPARE(listing(dir), QStringList({QStringLiteral("0003 Inna.lst"), QStringLiteral("0003 Niedziela.lst")}));
        QCOMPARE(TestSupport::readFile(dir + u"/0003 Niedziela.lst"), QByteArray("#0/\r\nold\r\n"));
    }

    void groupsAndInitialisation()
    {
        const QString card = newCard();
        QVERIFY(LibraryFiles::createGroup(card, QStringLiteral("Kolędy")));
        QVERIFY(!LibraryFiles::createGroup(card, QStringLiteral("Kolędy")));
        put(card, QStringLiteral("Kolędy/0001 a.txt"));
        QVERIFY(!LibraryFiles::removeGroup(card, QStringLiteral("Kolędy")));
        QVERIFY(QFileInfo::exists(card + u"Kolędy/0001 a.txt"));
        QVERIFY(QFile::remove(card + u"Kolędy/0001 a.txt"));
        // A hidden file the tree never shows still keeps the group.
        put(card, QStringLiteral("Kolędy/.hidden"), "x");
        QVERIFY(!LibraryFiles::removeGroup(card, QStringLiteral("Kolędy")));
        QVERIFY(QFile::remove(card + u"Kolędy/.hidden"));
        QVERIFY(LibraryFiles::removeGroup(card, QStringLiteral("Kolędy")));
        QVERIFY(!QFileInfo::exists(card + u"Kolędy"));

        QVERIFY(LibraryFiles::initialiseCard(card));
        QVERIFY(QFileInfo(card + u"screen_dir").isDir());
        QVERIFY(QFileInfo(card + u"playlist_dir").isDir());
        QVERIFY(LibraryFiles::initialiseCard(card));
    }

    void replaceByCopyRefusesItsOwnSource()
    {
        const QString card = newCard();
        put(card, QStringLiteral("a.txt"), "abc");
        QVERIFY(!LibraryFiles::replaceByCopy(card + u"a.txt", card + u"./a.txt"));
        QCOMPARE(TestSupport::readFile(card + u"a.txt"), QByteArray("abc"));
        QVERIFY(!LibraryFiles::replaceByCopy(card + u"missing.txt", card + u"b.txt"));
        QVERIFY(!QFileInfo::exists(card + u"b.txt"));
    }

    void itemInfoOfEveryNodeKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("fullPath");
        QTest::newRow("root") << 1 << QStringLiteral("Karta") << QString() << QString() << QString() << QStringLiteral("/c/");
        QTest::newRow("group") << 2 << QStringLiteral("Adwent") << QStringLiteral("Karta") << QStringLiteral("Adwent")
                               << QString() << QStringLiteral("/c/Adwent/");
        QTest::newRow("song") << 3 << QStringLiteral("0007 Kyrie") << QStringLiteral("Adwent") << QStringLiteral("Adwent")
                              << QStringLiteral("0007 Kyrie.txt") << QStringLiteral("/c/Adwent/0007 Kyrie.txt");
        QTest::newRow("slides") << 4 << QStringLiteral("Slajdy") << QString() << QStringLiteral("screen_dir") << QString()
                                << QStringLiteral("/c/screen_dir/");
        QTest::newRow("slide") << 5 << QStringLiteral("0002 S") << QStringLiteral("Slajdy") << QStringLiteral("screen_dir")
                               << QStringLiteral("0002 S.ekr") << QStringLiteral("/c/screen_dir/0002 S.ekr");
        QTest::newRow("playlists") << 6 << QStringLiteral("Listy") << QString() << QStringLiteral("playlist_dir")
                                   << QString() << QStringLiteral("/c/playlist_dir/");
        QTest::newRow("playlist") << 7 << QStringLiteral("0001 P") << QStringLiteral("Listy") << QStringLiteral("playlist_dir")
                                  << QStringLiteral("0001 P.lst") << QStringLiteral("/c/playlist_dir/0001 P.lst");
    }

    void itemInfoOfEveryNodeKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, parent);
        const LibraryItemInfo info = LibraryItemInfo::fromNode(LibraryNodeKind(kind), text, parent, QStringLiteral("/c/"));
        QTEST(info.group, "group");
        QTEST(info.fileName, "fileName");
        QTEST(info.fullPath, "fullPath");
        QCOMPARE(int(info.kind), kind);
    }

    void treeNodesInBothSortModes()
    {
        const QString card = newCard();
        put(card, QStringLiteral("Maryjne/0001 Zdrowaś.txt"));
        put(card, QStringLiteral("Maryjne/0003 Ave.txt"));
        put(card, QStringLiteral("Adwent/0010 Rorate.txt"));
        put(card, QStringLiteral("screen_dir/0002 Ogłoszenia.ekr"));
        put(card, QStringLiteral("screen_dir/0001 Witamy.ekr"));
        SongLibrary library;
        library.setRoot(card);
        library.scanLibrary(ScanFlags::kRefresh);
        const auto texts = [&library](TitleCollation::SortMode mode) {
            QStringList lines;
            for (const LibraryTreeNode &node : libraryTreeNodes(library, mode))
                lines << QStringLiteral("%1 %2 %3").arg(int(node.kind)).arg(node.parent).arg(node.textId ? Lang::text(node.textId) : node.text);
            return lines;
        };
        QCOMPARE(texts(TitleCollation::SortMode::ByTitle),
                 QStringList({QStringLiteral("1 -1 Karta pamięci"), QStringLiteral("2 0 Adwent"),
                              QStringLiteral("3 1 0010 Rorate"), QStringLiteral("2 0 Maryjne"),
                              QStringLiteral("3 3 0003 Ave"), QStringLiteral("3 3 0001 Zdrowaś"),
                              QStringLiteral("4 0 Slajdy"), QStringLiteral("5 6 0002 Ogłoszenia"),
                              QStringLiteral("5 6 0001 Witamy"), QStringLiteral("6 0 Listy utworów")}));
        const QStringList byNumber = texts(TitleCollation::SortMode::ByNumber);
        QCOMPARE(byNumber.mid(4, 2), QStringList({QStringLiteral("3 3 0001 Zdrowaś"), QStringLiteral("3 3 0003 Ave")}));
        QCOMPARE(byNumber.mid(7, 2), QStringList({QStringLiteral("5 6 0001 Witamy"), QStringLiteral("5 6 0002 Ogłoszenia")}));
    }

    void emptyLibraryStillHasItsThreeNodes()
    {
        SongLibrary library; // never scanned: no slide or playlist list yet
        const QList<LibraryTreeNode> nodes = libraryTreeNodes(library, TitleCollation::SortMode::ByTitle);
        QCOMPARE(nodes.size(), 3);
        QCOMPARE(nodes[1].kind, LibraryNodeKind::SlidesNode);
        QCOMPARE(nodes[2].kind, LibraryNodeKind::PlaylistsNode);
        QCOMPARE(library.slideLists().first().name, QStringLiteral("screen_dir"));
        QCOMPARE(library.playlistLists().first().name, QStringLiteral("playlist_dir"));
    }

    void forgetFileLowersTheCount()
    {
        const QString card = newCard();
        put(card, QStringLiteral("A/0001 x.txt"));
        put(card, QStringLiteral("B/0001 x.txt"));
        put(card, QStringLiteral("playlist_dir/0001 p.lst"), "#0/\r\n");
        SongLibrary library;
        library.setRoot(card);
        library.scanLibrary(ScanFlags::kRefresh);
        QVERIFY(library.forgetFile(ItemKind::Song, QStringLiteral("B"), QStringLiteral("0001 x")));
        QCOMPARE(library.songCount(), 1);
        QCOMPARE(library.groups().at(0).files, QStringList{QStringLiteral("0001 x")});
        QVERIFY(library.groups().at(1).files.isEmpty());
        QVERIFY(!library.forgetFile(ItemKind::Song, QStringLiteral("B"), QStringLiteral("0001 x")));
        QVERIFY(library.forgetFile(ItemKind::Playlist, QString(), QStringLiteral("0001 p")));
        QCOMPARE(library.playlistCount(), 0);
        QVERIFY(!library.forgetFile(ItemKind::Playlist, QString(), QStringLiteral("0001 p")));
        QCOMPARE(library.playlistCount(), 0);
    }

    void songsWithNumberReadsEveryGroupInOrder()
    {
        const QString card = newCard();
        put(card, QStringLiteral("B/0012 Ave Maria.txt"));
        put(card, QStringLiteral("A/0012 Inna.txt"));
        put(card, QStringLiteral("A/0013 Dalej.txt"));
        put(card, QStringLiteral("A/0014 Zepsuta.txt"), QByteArray("\xff\x00garbage", 9));
        SongLibrary library;
        library.setRoot(card);
        library.scanLibrary(ScanFlags::kRefresh);
        const QList<LibrarySearch::SongRef> found = LibrarySearch::songsWithNumber(library, 12);
        QCOMPARE(found, (QList<LibrarySearch::SongRef>{{QStringLiteral("A"), QStringLiteral("0012 Inna")},
                                                       {QStringLiteral("B"), QStringLiteral("0012 Ave Maria")}}));
        QVERIFY(LibrarySearch::songsWithNumber(library, 99).isEmpty());
        QVERIFY(LibrarySearch::titleMatches(u"0012 AVE Maria", u"ave"));
        QVERIFY(!LibrarySearch::titleMatches(u"0013 Dalej", u"ave"));
    }

    void issueRowsSortByNumberWithBands()
    {
        IssueList issues;
        issues.append(12, IssueCode::DuplicateNumber, QStringLiteral("A/0012 b"), IssueFileType::Song);
        issues.append(3, IssueCode::NumberOutOfRange, QStringLiteral("x"), IssueFileType::Slide);
        issues.append(12, IssueCode::DuplicateTitle, QStringLiteral("A/0012 a"), IssueFileType::Song);
        issues.append(100, IssueCode::MissingEntry, QStringLiteral("0100 p"), IssueFileType::Playlist);
        issues.append(20, IssueCode::ShortLine, QStringLiteral("y"), IssueFileType::Song);
        issues.append(99, 42, QStringLiteral("z"), IssueFileType::Song);
        QStringList rows;
        for (const IssueRow &row : issueRows(issues))
            rows << QStringLiteral("%1 %2 %3 %4").arg(row.number).arg(row.textId).arg(row.name).arg(row.band);
        // 100 after 20: numbers compare as integers, not as text.
        QCOMPARE(rows, QStringList({QStringLiteral("3 193 x 0"), QStringLiteral("12 194 A/0012 b 1"),
                                    QStringLiteral("12 516 A/0012 a 1"), QStringLiteral("20 493 y 0"),
                                    QStringLiteral("99 494 z 1"), QStringLiteral("100 413 0100 p 0")}));
    }

    void driveListTextsAndFolderCards()
    {
        DriveEntry card{QStringLiteral("CARD"), QStringLiteral("/media/u/CARD/"), false, QStringLiteral("FAT32"),
                        QStringLiteral("/dev/sdb1"), false};
        QCOMPARE(DriveList::itemText(card), QStringLiteral("CARD /media/u/CARD/"));
        card.readOnly = true;
        QCOMPARE(DriveList::itemText(card), QStringLiteral("PROTECT CARD /media/u/CARD/"));
        DriveEntry reader{QStringLiteral(""), QStringLiteral("/media/u/EMPTY/"), false, QString(), QString(), false};
        QCOMPARE(DriveList::listed({reader, card}), QList<DriveEntry>{card});
        QCOMPARE(DriveList::indexOfRoot({reader, card}, QStringLiteral("/media/u/CARD/")), 1);
        QCOMPARE(DriveList::indexOfRoot({card}, QString()), -1);

        FolderCardProvider folders;
        const QString dir = m_cards.path(QStringLiteral("folder card"));
        QVERIFY(!folders.addFolder(dir));
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(folders.addFolder(dir));
        QVERIFY(folders.addFolder(dir + u"/"));
        QCOMPARE(folders.folders().size(), 1);
        const QList<DriveEntry> entries = folders.drives();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].label, QStringLiteral("folder card"));
        QCOMPARE(entries[0].rootPath, QDir::cleanPath(dir) + u'/');
        QCOMPARE(entries[0].fileSystem, QStringLiteral("FOLDER"));
        QVERIFY(entries[0].folderCard);
        QVERIFY(!entries[0].readOnly);
        // A folder that went away is not offered, as a reader without a medium is not.
        QVERIFY(QDir(dir).removeRecursively());
        QVERIFY(folders.drives().isEmpty());
    }
};

LUMIVOX_TEST_MAIN_CORE(TestLibraryFiles)
#include "tst_libraryfiles.moc"
