// SPDX-License-Identifier: GPL-3.0-or-later
// The card copy engine: tree copies, append comparison, clearing, restore and the refusals.
#include "filesizelimit.h"
#include "tablerows.h"

#include "core/util/textids.h"
#include "core/card/cardcopy.h"
#include "core/card/cardwritecheck.h"

#include <optional>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using TestSupport::readFile;
using TestSupport::treeOf;
using TestSupport::writeFile;

namespace {

ino_t inode(const QString &path)
{
    struct stat st
    {};
    return lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

// A card image: two groups, slides, playlists, and a file in its root that never travels.
void makeImage(const QString &image)
{
    writeFile(image + u"/Psalmy/0001 Kyrie.txt", "kyrie");
    writeFile(image + u"/Psalmy/0002 Gloria.txt", "gloria");
    writeFile(image + u"/Kolędy/0100 Lulajże.txt", "lulajze");
    writeFile(image + u"/screen_dir/0003 Ogłoszenia.ekr", "slide");
    writeFile(image + u"/playlist_dir/0012 Ave.lst", "list");
    writeFile(image + u"/readme.txt", "root file");
}

const QStringList kImageOnCard = {u"Kolędy"_qs,
                                  u"Kolędy/0100 Lulajże.txt"_qs,
                                  u"Psalmy"_qs,
                                  u"Psalmy/0001 Kyrie.txt"_qs,
                                  u"Psalmy/0002 Gloria.txt"_qs,
                                  u"playlist_dir"_qs,
                                  u"playlist_dir/0012 Ave.lst"_qs,
                                  u"screen_dir"_qs,
                                  u"screen_dir/0003 Ogłoszenia.ekr"_qs};

using Change = CardChangeRecord;

} // namespace

class TestCardCopy : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir; // a fresh one for every test
    QString m_image;
    QString m_card;
    QString path(QStringView relative) const { return m_dir->filePath(relative.toString()); }

private slots:
    void init()
    {
        m_dir.emplace();
        m_image = path(u"image");
        m_card = path(u"card");
    }

    void layeredImageLeavesRootFilesBehind()
    {
        makeImage(m_image);
        QVERIFY(writeFile(m_card + u"/Psalmy/0001 Kyrie.txt", "old kyrie, longer"));
        const CardImageCount count = countCardImage(m_image);
        QCOMPARE(count.directories, 4);
        QCOMPARE(count.files, 5);

        QStringList directories;
        QList<int> counters;
        Progress progress;
        progress.onDirectory = [&](const QString &name) { directories.append(name); };
        progress.onCounter = [&](int done) { counters.append(done); };
        CardCopier copier(progress);
        copier.copyTree(m_image, m_card, CardCopyMode::Overwrite);
        QCOMPARE(treeOf(m_card), kImageOnCard);
        QCOMPARE(readFile(m_card + u"/Psalmy/0001 Kyrie.txt"), QByteArray("kyrie"));
        QCOMPARE(directories, QStringList({u"Kolędy"_qs, u"Psalmy"_qs, u"playlist_dir"_qs, u"screen_dir"_qs}));
        QCOMPARE(counters, QList<int>({1, 2, 3, 4, 5}));
        QCOMPARE(copier.counter(), count.files);
        QVERIFY(copier.changes().isEmpty());
        QVERIFY(copier.failures().isEmpty());
    }

    void missingCardGetsNothing()
    {
        makeImage(path(u"image"));
        for (const CardCopyMode mode : {CardCopyMode::Overwrite, CardCopyMode::AddMissing}) {
            CardCopier copier;
            copier.copyTree(path(u"image"), path(u"gone/card"), mode);
            QVERIFY(!QFileInfo::exists(path(u"gone")));
            QVERIFY(copier.changes().isEmpty());
            QCOMPARE(copier.failures().size(), 4);
        }
    }

    void directoryWhereAFileMustGo()
    {
        for (const CardCopyMode mode : {CardCopyMode::Overwrite, CardCopyMode::AddMissing}) {
            QTemporaryDir dir;
            const QString image = dir.filePath(QStringLiteral("image"));
            const QString card = dir.filePath(QStringLiteral("card"));
            QVERIFY(writeFile(image + u"/G/0001 A.txt", "a"));
            QVERIFY(writeFile(image + u"/G/0002 B.txt", "b"));
            QVERIFY(writeFile(card + u"/G/0001 A.txt/inside", "kept"));
            CardCopier copier;
            copier.copyTree(image, card, mode);
            QCOMPARE(copier.failures(), CardFindings({{Txt::CardFileNotWritten, u"G/0001 A.txt"_qs}}));
            QCOMPARE(treeOf(card),
                     QStringList({u"G"_qs, u"G/0001 A.txt"_qs, u"G/0001 A.txt/inside"_qs, u"G/0002 B.txt"_qs}));
        }
    }

    // Append: identical files are neither touched nor listed, a same-size change is replaced
    // (change 1), a new file is added (change 0), in copy order.
    void appendRecordsChanges()
    {
        makeImage(m_image);
        CardCopier first;
        QVERIFY(QDir().mkpath(m_card));
        first.copyTree(m_image, m_card, CardCopyMode::Overwrite);

        const ino_t untouched = inode(m_card + u"/Psalmy/0001 Kyrie.txt");
        CardCopier identical;
        identical.copyTree(m_image, m_card, CardCopyMode::AddMissing);
        QVERIFY(identical.changes().isEmpty());
        QCOMPARE(identical.counter(), 5);
        QCOMPARE(inode(m_card + u"/Psalmy/0001 Kyrie.txt"), untouched);

        QVERIFY(writeFile(m_image + u"/Psalmy/0002 Gloria.txt", "glorIa"));
        QVERIFY(writeFile(m_image + u"/playlist_dir/0012 Ave.lst", "a longer list"));
        QVERIFY(writeFile(m_image + u"/screen_dir/0004 Nowy.ekr", "new"));
        QVERIFY(writeFile(m_image + u"/Nowa/0200 Alleluja.txt", "new group"));
        CardCopier append;
        append.copyTree(m_image, m_card, CardCopyMode::AddMissing);
        QCOMPARE(append.changes(),
                 QList<CardChangeRecord>({{u"Alleluja"_qs, Change::Song, 200, Change::New},
                                          {u"Gloria"_qs, Change::Song, 2, Change::Replaced},
                                          {u"Ave"_qs, Change::Playlist, 12, Change::Replaced},
                                          {u"Nowy"_qs, Change::Slide, 4, Change::New}}));
        QCOMPARE(readFile(m_card + u"/Psalmy/0002 Gloria.txt"), QByteArray("glorIa"));
        QCOMPARE(inode(m_card + u"/Psalmy/0001 Kyrie.txt"), untouched);
    }

    void compareFiles_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<FileComparison>("expected");
        const QByteArray large(200000, 'x');
        QByteArray lateChange = large;
        lateChange[199999] = 'y';
        QByteArray boundaryChange = large;
        boundaryChange[65536] = 'y';
        QTest::newRow("both empty") << QByteArray() << QByteArray() << FileComparison::Same;
        QTest::newRow("same, several chunks") << large << large << FileComparison::Same;
        QTest::newRow("first byte") << QByteArray("abc") << QByteArray("xbc") << FileComparison::Differ;
        QTest::newRow("last byte of a large file") << large << lateChange << FileComparison::Differ;
        QTest::newRow("first byte of the second chunk") << large << boundaryChange << FileComparison::Differ;
        QTest::newRow("sizes differ") << QByteArray("abc") << QByteArray("abcd") << FileComparison::Differ;
    }
    void compareFiles()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(FileComparison, expected);
        QVERIFY(writeFile(path(u"a"), first));
        QVERIFY(writeFile(path(u"b"), second));
        QCOMPARE(::compareFiles(path(u"a"), path(u"b")), expected);
        QCOMPARE(::compareFiles(path(u"a"), path(u"missing")), FileComparison::Unreadable);
    }

    void symbolicLinksAreNeverFollowed()
    {
        const QString outside = path(u"outside");
        QVERIFY(writeFile(outside + u"/secret.txt", "secret"));
        QVERIFY(writeFile(m_image + u"/G/0001 A.txt", "a"));
        QVERIFY(writeFile(m_image + u"/H/0002 B.txt", "b"));
        QVERIFY(writeFile(m_image + u"/G/0003 C.txt", "c"));
        // In the image: a linked file and a linked directory are not copied.
        QVERIFY(QFile::link(outside + u"/secret.txt", m_image + u"/G/0009 Link.txt"));
        QVERIFY(QFile::link(outside, m_image + u"/Linked"));
        // On the card: a group that is a link is not written through; a file that is a link is
        // replaced by a file, its target untouched.
        QVERIFY(QDir().mkpath(m_card + u"/G"));
        QVERIFY(QFile::link(outside, m_card + u"/H"));
        QVERIFY(QFile::link(outside + u"/secret.txt", m_card + u"/G/0003 C.txt"));

        CardCopier copier;
        copier.copyTree(m_image, m_card, CardCopyMode::AddMissing);
        QCOMPARE(treeOf(outside), QStringList({u"secret.txt"_qs}));
        QCOMPARE(readFile(outside + u"/secret.txt"), QByteArray("secret"));
        QVERIFY(!QFileInfo(m_card + u"/G/0003 C.txt").isSymLink());
        QCOMPARE(readFile(m_card + u"/G/0003 C.txt"), QByteArray("c"));
        QVERIFY(!QFileInfo::exists(m_card + u"/G/0009 Link.txt"));
        QVERIFY(!QFileInfo::exists(m_card + u"/Linked"));
        QCOMPARE(copier.failures(), CardFindings({{Txt::CardFileNotWritten, u"H"_qs}}));
        QCOMPARE(copier.changes(),
                 QList<CardChangeRecord>(
                     {{u"A"_qs, Change::Song, 1, Change::New}, {u"C"_qs, Change::Song, 3, Change::Replaced}}));
    }

    void copyOntoItselfIsSkipped()
    {
        makeImage(m_dir->path());
        CardCopier copier;
        copier.copyTree(m_dir->path(), m_dir->path() + u"/./", CardCopyMode::Overwrite);
        QCOMPARE(readFile(path(u"Psalmy/0001 Kyrie.txt")), QByteArray("kyrie"));
        QVERIFY(copier.failures().isEmpty());
        QCOMPARE(treeOf(m_dir->path()).size(), kImageOnCard.size() + 1);
    }

    void clearTreeKeepsOutsideOfLinks()
    {
        const QString outside = path(u"outside");
        makeImage(m_card);
        QVERIFY(writeFile(m_card + u"/.Trash-1000/files/x", "x"));
        QVERIFY(writeFile(outside + u"/keep.txt", "keep"));
        QVERIFY(QFile::link(outside, m_card + u"/Psalmy/link"));
        QVERIFY(QFile::link(outside + u"/keep.txt", m_card + u"/keep-link.txt"));
        QStringList files;
        Progress progress;
        progress.onFile = [&](const QString &name, int, int) { files.append(name); };
        CardCopier copier(progress);
        QVERIFY(copier.clearTree(m_card + u'/'));
        QVERIFY(QFileInfo(m_card).isDir());
        QVERIFY(treeOf(m_card).isEmpty());
        QCOMPARE(treeOf(outside), QStringList({u"keep.txt"_qs}));
        QVERIFY(files.contains(u"0001 Kyrie.txt"_qs));
    }

    void stopFlagEndsCopyAfterCurrentFile()
    {
        makeImage(m_image);
        QVERIFY(QDir().mkpath(m_card));
        std::atomic_bool stop{false};
        Progress progress;
        progress.stop = &stop;
        progress.onCounter = [&](int done) { stop = done == 2; };
        CardCopier copier(progress);
        copier.copyTree(m_image, m_card, CardCopyMode::Overwrite);
        QVERIFY(copier.stopped());
        QCOMPARE(copier.counter(), 2);
        QCOMPARE(treeOf(m_card),
                 QStringList({u"Kolędy"_qs, u"Kolędy/0100 Lulajże.txt"_qs, u"Psalmy"_qs, u"Psalmy/0001 Kyrie.txt"_qs}));
    }

    // A layered card read into a library whose lists live inside it, as on a card: nothing is
    // copied onto itself and the lists stay. Read into separate list folders, the copies below
    // the song folder are moved on and removed.
    void restoreLayered()
    {
        makeImage(m_card);
        const QString library = path(u"library");
        QVERIFY(writeFile(library + u"/playlist_dir/0001 Old.lst", "old"));
        CardCopier copier;
        copier.restoreCard(m_card, library, library + u"/playlist_dir", library + u"/screen_dir");
        QStringList expected = kImageOnCard;
        expected.append(u"playlist_dir/0001 Old.lst"_qs);
        expected.sort();
        QCOMPARE(treeOf(library), expected);
        QCOMPARE(readFile(library + u"/playlist_dir/0012 Ave.lst"), QByteArray("list"));

        const QString songs = path(u"Teksty");
        const QString lists = path(u"Listy");
        const QString slides = path(u"Ekrany");
        CardCopier separate;
        separate.restoreCard(m_card, songs, lists, slides);
        QCOMPARE(treeOf(songs),
                 QStringList({u"Kolędy"_qs, u"Kolędy/0100 Lulajże.txt"_qs, u"Psalmy"_qs, u"Psalmy/0001 Kyrie.txt"_qs,
                              u"Psalmy/0002 Gloria.txt"_qs}));
        QCOMPARE(treeOf(lists), QStringList({u"0012 Ave.lst"_qs}));
        QCOMPARE(treeOf(slides), QStringList({u"0003 Ogłoszenia.ekr"_qs}));
    }

    void restoreFlatPutsSongsIntoUngrouped()
    {
        QVERIFY(writeFile(m_card + u"/0001 Kyrie.txt", "kyrie"));
        QVERIFY(writeFile(m_card + u"/0012 Ave.lst", "list"));
        QVERIFY(writeFile(m_card + u"/0003 Ogłoszenia.ekr", "slide"));
        QVERIFY(writeFile(m_card + u"/notes.doc", "other"));
        const QString library = path(u"library");
        QVERIFY(writeFile(library + u"/Nieokreslone/0001 Kyrie.txt", "older"));
        CardCopier copier;
        copier.restoreCard(m_card, library, library + u"/playlist_dir", library + u"/screen_dir");
        QCOMPARE(
            treeOf(library),
            QStringList({u"Nieokreslone"_qs, u"Nieokreslone/0001 Kyrie.txt"_qs, u"playlist_dir"_qs,
                         u"playlist_dir/0012 Ave.lst"_qs, u"screen_dir"_qs, u"screen_dir/0003 Ogłoszenia.ekr"_qs}));
        QCOMPARE(readFile(library + u"/Nieokreslone/0001 Kyrie.txt"), QByteArray("kyrie"));
    }

    // A copy that cannot be written is listed, the old file stays whole and the next file is copied.
    void writeFailureGoesOn()
    {
        QVERIFY(writeFile(m_image + u"/G/0001 Big.txt", QByteArray(20000, 'n')));
        QVERIFY(writeFile(m_image + u"/G/0002 Small.txt", "small"));
        QVERIFY(writeFile(m_card + u"/G/0001 Big.txt", "old"));
        CardCopier copier;
        {
            FileSizeLimit limit(8192);
            QVERIFY(limit.active());
            copier.copyTree(m_image, m_card, CardCopyMode::AddMissing);
        }
        QCOMPARE(copier.failures(), CardFindings({{Txt::CardFileNotWritten, u"G/0001 Big.txt"_qs}}));
        QCOMPARE(copier.changes(), QList<CardChangeRecord>({{u"Small"_qs, Change::Song, 2, Change::New}}));
        QCOMPARE(readFile(m_card + u"/G/0001 Big.txt"), QByteArray("old"));
        QCOMPARE(treeOf(m_card), QStringList({u"G"_qs, u"G/0001 Big.txt"_qs, u"G/0002 Small.txt"_qs}));
    }

    // A file system that really runs out of space stops the copy (needs the right to mount).
    void fullFileSystem()
    {
        QVERIFY(QDir().mkpath(m_card));
        if (mount("tmpfs", QFile::encodeName(m_card).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("no right to mount a small file system here");
        QVERIFY(writeFile(m_image + u"/G/0001 A.txt", QByteArray(40000, 'a')));
        QVERIFY(writeFile(m_image + u"/G/0002 B.txt", QByteArray(40000, 'b')));
        QVERIFY(writeFile(m_image + u"/G/0003 C.txt", "c"));
        CardCopier copier;
        copier.copyTree(m_image, m_card, CardCopyMode::AddMissing);
        const QStringList tree = treeOf(m_card);
        umount(QFile::encodeName(m_card).constData());
        // The first "no space left" ends the copy with one count; no half file stays behind.
        QCOMPARE(copier.failures(), CardFindings({{Txt::CardCopyNoSpace, u"2"_qs}}));
        QCOMPARE(tree, QStringList({u"G"_qs, u"G/0001 A.txt"_qs}));
        QVERIFY(copier.diskFull());
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("card");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("force");
        QTest::addColumn<int>("expected");
        const QStringList kinds{u"write"_qs, u"append"_qs, u"restore"_qs};
        const QStringList checks{u"Ok"_qs,        u"ImageMissing"_qs,     u"Overlap"_qs,  u"CardMissing"_qs,
                                 u"Forbidden"_qs, u"LibraryForbidden"_qs, u"NotACard"_qs, u"SourceNotACard"_qs,
                                 u"ReadOnly"_qs,  u"ForeignEntries"_qs};
        for (const QStringList &row : TestSupport::tableRows(u"cardcopy/refusals.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << row[1] << row[2] << int(kinds.indexOf(row[3])) << (row[4] == u"1") << int(checks.indexOf(row[5]));
    }
    void refusals()
    {
        QFETCH(QString, image);
        QFETCH(QString, card);
        QFETCH(int, kind);
        QFETCH(bool, force);
        QFETCH(int, expected);
        QVERIFY(kind >= 0 && expected >= 0);
        QTemporaryDir dir;
        const QString root = dir.path() + u'/';
        makeImage(root + u"image");
        QVERIFY(QDir().mkpath(root + u"empty"));
        QVERIFY(QDir().mkpath(root + u"card/playlist_dir"));
        QVERIFY(QDir().mkpath(root + u"card/image/G"));
        QVERIFY(writeFile(root + u"card/image/G/0001 A.txt", "a"));
        QVERIFY(writeFile(root + u"docs/letter.odt", "letter"));
        QVERIFY(writeFile(root + u"fresh/.Trash-1000/info", "x"));
        QVERIFY(QDir().mkpath(root + u"users/me"));
        QVERIFY(QDir().mkpath(root + u"hollow/Song"));
        QVERIFY(QDir().mkpath(root + u"hollow/Playlist"));
        QVERIFY(writeFile(root + u"repo/.git/HEAD", "ref"));
        QVERIFY(TestSupport::writeFiles(
            root + u"notes/",
            {u"playlist_dir/0001 L.lst"_qs, u"NOTES.md"_qs, u".git/HEAD"_qs, u".Trash-0/x"_qs, u"G/.DS_Store"_qs}));
        QVERIFY(writeFile(root + u"flat/0001 Kyrie.txt", "kyrie"));
        QVERIFY(QDir().mkpath(root + u"ro"));
        const QByteArray ro = QFile::encodeName(root + u"ro");
        const bool mounted = card == u"ro" && mount(ro.constData(), ro.constData(), nullptr, MS_BIND, nullptr) == 0
            && mount(nullptr, ro.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
        if (!mounted)
            QFile::setPermissions(root + u"ro", QFile::ReadOwner | QFile::ExeOwner);
        const QByteArray savedHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(root + u"users/me"));
        auto at = [&root](const QString &name) { return name.startsWith(u'/') ? name : root + name; };
        const CardWriteCheck check = checkCardWrite(at(image), at(card), CardWriteKind(kind), force);
        qputenv("HOME", savedHome);
        if (mounted)
            umount(ro.constData());
        if (card == u"ro" && !mounted && ::access(ro.constData(), W_OK) == 0)
            QSKIP("root without the right to mount: a read-only folder cannot be made here");
        QCOMPARE(check, CardWriteCheck(expected));
        if (card == u"notes")
            QCOMPARE(foreignCardEntries(at(card)), QStringList({u".git"_qs, u"NOTES.md"_qs}));
        QCOMPARE(cardWriteRefusal(check, image, card).textId == 0, expected == int(CardWriteCheck::Ok));
        // A refusal is decided before anything is touched.
        QCOMPARE(readFile(root + u"docs/letter.odt"), QByteArray("letter"));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestCardCopy)
#include "tst_cardcopy.moc"
