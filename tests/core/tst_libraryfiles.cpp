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

using LibraryNaming::ItemKind;
using LibraryFiles::MoveResult;
using TestSupport::readFile;
using TestSupport::songBytes;
using TestSupport::writeFiles;

namespace {

QStringList listing(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestLibraryFiles : public QObject
{
    Q_OBJECT

    TestSupport::CardFolders m_cards;

    // A fresh card holding the given files, scanned into library.
    QString scannedCard(SongLibrary &library, const QStringList &files, const QByteArray &bytes = songBytes())
    {
        const QString card = m_cards.next();
        writeFiles(card, files, bytes);
        library.setRoot(card);
        library.scanLibrary(ScanFlags::kRefresh);
        return card;
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
                << QStringList{u"0001 a"_qs, u"0002 b"_qs, u"0003 c2"_qs, u"0004 d"_qs, u"0005 e2"_qs, u"0006 f"_qs,
                               u"0007 g"_qs, u"0008 c"_qs, u"0009 e"_qs};
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
        library.scanLibrary(ScanFlags::kRefresh);

        const bool two = names.size() > 8;
        QCOMPARE(LibraryFiles::repairDuplicateNumbers(library, itemKind), two ? 2 : 1);
        QStringList expected;
        for (const QString &name : std::as_const(after))
            expected << name + ext;
        expected.sort();
        QCOMPARE(listing(card + dir), expected);
        const QString renamed = card + dir + (two ? u"0008 c"_qs : u"0008 A"_qs) + ext;
        QCOMPARE(readFile(renamed), bytesOf(two ? "0003 c" : "0005 A"));
        library.scanLibrary(ScanFlags::kRefresh);
        QVERIFY(library.issues().isEmpty());
    }

    void repairWithoutFreeNumberGivesZero()
    {
        QStringList names{u"playlist_dir/0009 q.lst"_qs};
        for (int n = 1; n < LibraryNaming::kPlaylistTableSize; ++n)
            names << u"playlist_dir/"_qs + ItemName::format(n, u"p"_qs) + u".lst";
        SongLibrary library;
        const QString card = scannedCard(library, names, "#0/\r\n");
        QCOMPARE(LibraryFiles::repairDuplicateNumbers(library, ItemKind::Playlist), 1);
        QVERIFY(QFileInfo::exists(card + u"playlist_dir/0000 p.lst"));
        QVERIFY(QFileInfo::exists(card + u"playlist_dir/0009 q.lst"));
        QVERIFY(!QFileInfo::exists(card + u"playlist_dir/0009 p.lst"));
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

    void renamePlaylistKeepsNumberAndNeverOverwrites()
    {
        const QString dir = m_cards.next() + u"playlist_dir";
        writeFiles(dir, {u"/0003 Msza.lst"_qs}, "#0/\r\nold\r\n");
        writeFiles(dir, {u"/0003 Inna.lst"_qs}, "#0/\r\nother\r\n");
        QString newName;
        QVERIFY(!LibraryFiles::renamePlaylist(dir, u"0003 Msza.lst"_qs, u"Inna"_qs, &newName));
        QCOMPARE(newName, QStringLiteral("0003 Inna.lst"));
        QCOMPARE(readFile(dir + u"/0003 Msza.lst"), QByteArray("#0/\r\nold\r\n"));
        QCOMPARE(readFile(dir + u"/0003 Inna.lst"), QByteArray("#0/\r\nother\r\n"));

        QVERIFY(LibraryFiles::renamePlaylist(dir, u"0003 Msza.lst"_qs, u"Niedziela"_qs));
        QCOMPARE(listing(dir), QStringList({u"0003 Inna.lst"_qs, u"0003 Niedziela.lst"_qs}));
        QCOMPARE(readFile(dir + u"/0003 Niedziela.lst"), QByteArray("#0/\r\nold\r\n"));
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

    // Kind, text, parent's text; then group, file name and full path below the card "/c/".
    void itemInfoOfEveryNodeKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("node");
        QTest::addColumn<QStringList>("info");
        const auto row = [](int kind, const QStringList &node, const QStringList &info) {
            QTest::newRow(qPrintable(node.first())) << kind << node << info;
        };
        row(1, {u"Karta"_qs, {}}, {{}, {}, u"/c/"_qs});
        row(2, {u"Adwent"_qs, u"Karta"_qs}, {u"Adwent"_qs, {}, u"/c/Adwent/"_qs});
        row(3, {u"0007 Kyrie"_qs, u"Adwent"_qs}, {u"Adwent"_qs, u"0007 Kyrie.txt"_qs, u"/c/Adwent/0007 Kyrie.txt"_qs});
        row(4, {u"Slajdy"_qs, {}}, {u"screen_dir"_qs, {}, u"/c/screen_dir/"_qs});
        row(5, {u"0002 S"_qs, u"Slajdy"_qs}, {u"screen_dir"_qs, u"0002 S.ekr"_qs, u"/c/screen_dir/0002 S.ekr"_qs});
        row(6, {u"Listy"_qs, {}}, {u"playlist_dir"_qs, {}, u"/c/playlist_dir/"_qs});
        row(7, {u"0001 P"_qs, u"Listy"_qs}, {u"playlist_dir"_qs, u"0001 P.lst"_qs, u"/c/playlist_dir/0001 P.lst"_qs});
    }
    void itemInfoOfEveryNodeKind()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, node);
        const LibraryItemInfo info = LibraryItemInfo::fromNode(LibraryNodeKind(kind), node[0], node[1], u"/c/"_qs);
        QTEST(QStringList({info.group, info.fileName, info.fullPath}), "info");
        QCOMPARE(int(info.kind), kind);
    }

    // "kind parent text" of every node the tree shows. An empty card gets its two folders; it
    // and a library never scanned still show the slide and playlist nodes.
    void treeNodes_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("nodes");
        const QStringList card = {u"Maryjne/0001 Zdrowaś.txt"_qs, u"Maryjne/0003 Ave.txt"_qs, u"Maryjne/0012 Ave Maria.txt"_qs,
                                  u"Adwent/0010 Rorate.txt"_qs, u"Adwent/0011 Archanioł.txt"_qs, u"Pusta/.hidden"_qs,
                                  u"screen_dir/0002 Ogłoszenia.ekr"_qs, u"screen_dir/0001 Witamy.ekr"_qs,
                                  u"playlist_dir/0001 Msza.lst"_qs, u"playlist_dir/0002 Inna.lst"_qs};
        const QStringList top = {u"1 -1 Karta pamięci"_qs, u"2 0 Adwent"_qs};
        const QStringList bottom = {u"6 0 Listy utworów"_qs, u"7 12 0002 Inna"_qs, u"7 12 0001 Msza"_qs};
        QTest::newRow("by title") << card << int(TitleCollation::SortMode::ByTitle)
                                  << top + QStringList{u"3 1 0011 Archanioł"_qs, u"3 1 0010 Rorate"_qs, u"2 0 Maryjne"_qs,
                                                       u"3 4 0003 Ave"_qs, u"3 4 0012 Ave Maria"_qs, u"3 4 0001 Zdrowaś"_qs,
                                                       u"2 0 Pusta"_qs, u"4 0 Slajdy"_qs, u"5 9 0002 Ogłoszenia"_qs,
                                                       u"5 9 0001 Witamy"_qs} + bottom;
        QTest::newRow("by number") << card << int(TitleCollation::SortMode::ByNumber)
                                   << top + QStringList{u"3 1 0010 Rorate"_qs, u"3 1 0011 Archanioł"_qs, u"2 0 Maryjne"_qs,
                                                        u"3 4 0001 Zdrowaś"_qs, u"3 4 0003 Ave"_qs, u"3 4 0012 Ave Maria"_qs,
                                                        u"2 0 Pusta"_qs, u"4 0 Slajdy"_qs, u"5 9 0001 Witamy"_qs,
                                                        u"5 9 0002 Ogłoszenia"_qs, u"6 0 Listy utworów"_qs,
                                                        u"7 12 0001 Msza"_qs, u"7 12 0002 Inna"_qs};
        QTest::newRow("empty card") << QStringList() << int(TitleCollation::SortMode::ByTitle)
                                    << QStringList{u"1 -1 Karta pamięci"_qs, u"4 0 Slajdy"_qs, u"6 0 Listy utworów"_qs};
    }
    void treeNodes()
    {
        QFETCH(QStringList, files);
        QFETCH(int, mode);
        const auto lines = [mode](SongLibrary &library) {
            QStringList lines;
            for (const LibraryTreeNode &node : libraryTreeNodes(library, TitleCollation::SortMode(mode)))
                lines << QStringLiteral("%1 %2 %3").arg(int(node.kind)).arg(node.parent).arg(node.textId ? Lang::text(node.textId) : node.text);
            return lines;
        };
        SongLibrary library;
        const QString card = scannedCard(library, files);
        QTEST(lines(library), "nodes");
        QVERIFY(QFileInfo(card + u"screen_dir").isDir());
        QVERIFY(QFileInfo(card + u"playlist_dir").isDir());
        SongLibrary neverScanned;
        QCOMPARE(lines(neverScanned).size(), 3);
    }

    void forgetFileLowersTheCount()
    {
        SongLibrary library;
        scannedCard(library, {u"A/0001 x.txt"_qs, u"B/0001 x.txt"_qs, u"playlist_dir/0001 p.lst"_qs});
        for (int twice = 0; twice < 2; ++twice) {
            QCOMPARE(library.forgetFile(ItemKind::Song, u"B"_qs, u"0001 x"_qs), twice == 0);
            QCOMPARE(library.forgetFile(ItemKind::Playlist, QString(), u"0001 p"_qs), twice == 0);
            QCOMPARE(library.songCount(), 1);
            QCOMPARE(library.playlistCount(), 0);
        }
        QCOMPARE(library.groups().at(0).files, QStringList{u"0001 x"_qs});
        QVERIFY(library.groups().at(1).files.isEmpty());
    }

    void songsWithNumberReadsEveryGroupInOrder()
    {
        SongLibrary library;
        const QString card = scannedCard(library, {u"B/0012 Ave Maria.txt"_qs, u"A/0012 Inna.txt"_qs, u"A/0013 Dalej.txt"_qs});
        writeFiles(card, {u"A/0014 Zepsuta.txt"_qs}, QByteArray("\xff\x00garbage", 9));
        library.scanLibrary(ScanFlags::kRefresh);
        const QList<LibrarySearch::SongRef> found = LibrarySearch::songsWithNumber(library, 12);
        QCOMPARE(found, (QList<LibrarySearch::SongRef>{{u"A"_qs, u"0012 Inna"_qs}, {u"B"_qs, u"0012 Ave Maria"_qs}}));
        QVERIFY(LibrarySearch::songsWithNumber(library, 99).isEmpty());
        QVERIFY(LibrarySearch::titleMatches(u"0012 AVE Maria", u"ave"));
        QVERIFY(!LibrarySearch::titleMatches(u"0013 Dalej", u"ave"));
    }

    void issueRowsSortByNumberWithBands()
    {
        IssueList issues;
        issues.append(12, IssueCode::DuplicateNumber, u"A/0012 b"_qs, IssueFileType::Song);
        issues.append(3, IssueCode::NumberOutOfRange, u"x"_qs, IssueFileType::Slide);
        issues.append(12, IssueCode::DuplicateTitle, u"A/0012 a"_qs, IssueFileType::Song);
        issues.append(100, IssueCode::MissingEntry, u"0100 p"_qs, IssueFileType::Playlist);
        issues.append(20, IssueCode::ShortLine, u"y"_qs, IssueFileType::Song);
        issues.append(99, 42, u"z"_qs, IssueFileType::Song);
        QStringList rows;
        for (const IssueRow &row : issueRows(issues))
            rows << QStringLiteral("%1 %2 %3 %4").arg(row.number).arg(row.textId).arg(row.name).arg(row.band);
        // 100 after 20: numbers compare as integers, not as text.
        QCOMPARE(rows, QStringList({u"3 193 x 0"_qs, u"12 194 A/0012 b 1"_qs, u"12 516 A/0012 a 1"_qs, u"20 493 y 0"_qs,
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
        QCOMPARE(entries, QList<DriveEntry>({{u"folder card"_qs, QDir::cleanPath(dir) + u'/', false, u"FOLDER"_qs, folder, true}}));
        // A folder that went away is not offered, as a reader without a medium is not.
        QVERIFY(QDir(dir).removeRecursively());
        QVERIFY(folders.drives().isEmpty());
    }
};

LUMIVOX_TEST_MAIN_CORE(TestLibraryFiles)
#include "tst_libraryfiles.moc"
