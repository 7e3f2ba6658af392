// SPDX-License-Identifier: GPL-3.0-or-later
// Names on cards: extensions in any case, names that are not UTF-8 (made with plain system
// calls, as no QString path can make them), library files in the root of a card with folders,
// and what the scan, the packing, the copy and the check say about each.
#include "testsupport.h"

#include "core/card/librarypacking.h"
#include "core/card/cardcopy.h"
#include "core/card/carddatafile.h"
#include "core/card/cardpackjobs.h"
#include "core/card/cardplan.h"
#include "core/card/cardreadjobs.h"
#include "core/editor/songsaving.h"
#include "core/library/namerepair.h"
#include "core/library/songlibrary.h"
#include "core/model/song.h"
#include "core/model/songfile.h"
#include "core/util/directorylisting.h"
#include "core/util/textids.h"

#include <QBuffer>

namespace {

// Creates each file (a path of bytes below root). Songs and slides carry their name's number,
// so that slides read back the number their names give.
bool makeRawFiles(const QString &root, const QList<QByteArray> &paths)
{
    for (const QByteArray &path : paths) {
        const QString name = QString::fromLatin1(path.mid(path.lastIndexOf('/') + 1));
        const QByteArray bytes = ItemName::hasExtension(name, ItemKind::Playlist)
            ? QByteArray()
            : "#n " + QByteArray::number(ItemName::number(name)) + TestSupport::songBytes().mid(4);
        if (!TestSupport::writeRawFile(root, path, bytes))
            return false;
    }
    return true;
}

QStringList issueLines(const IssueList &issues)
{
    QStringList lines;
    for (const LoadIssue &issue : issues)
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(issue.number)
                     .arg(int(issue.code))
                     .arg(int(issue.fileType))
                     .arg(issue.location());
    return lines;
}

QStringList findingLines(const CardFindings &findings)
{
    QStringList lines;
    for (const CardFinding &finding : findings)
        lines << QString::number(finding.textId) + u' ' + finding.name;
    return lines;
}

} // namespace

class TestCardNames : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    QString path(const QString &relative) const { return m_dir->filePath(relative); }

private slots:
    void init() { m_dir.emplace(); }
    void cleanup() { QVERIFY(TestSupport::removeRawTree(m_dir->path())); }

    // Each card through the scan, the packing, the copy and the check after it.
    void cardNames_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<QStringList>("issues");  // number code fileType name
        QTest::addColumn<QStringList>("packed");  // directory/file records, folders left out
        QTest::addColumn<QStringList>("skipped"); // text id and name, of the packing and of the copy
        const QString undecodable = u"935 "_qs;
        const QList<QByteArray> capitals{"G/0050 Upper.TXT", "G/0051 Mixed.Txt", "screen_dir/0002 SLIDE.EKR",
                                         "playlist_dir/0003 LISTA.LST"};
        QTest::newRow("extensions in capitals")
            << capitals << QStringList() << QString::fromLatin1(capitals.join('|')).split(u'|') << QStringList();
        QTest::newRow("file name not UTF-8")
            << QList<QByteArray>{"G/0001 A.txt",
                                 "G/0020 W\xb6r\xf3"
                                 "d.txt",
                                 "screen_dir/0004 \xe6le.ekr"}
            << QStringList{u"20 9 1 G/0020 W\\xB6r\\xF3d.txt"_qs, u"4 9 2 screen_dir/0004 \\xE6le.ekr"_qs}
            << QStringList{u"G/0001 A.txt"_qs}
            << QStringList{undecodable + u"G/0020 W\\xB6r\\xF3d.txt"_qs,
                           undecodable + u"screen_dir/0004 \\xE6le.ekr"_qs};
        QTest::newRow("folder name not UTF-8")
            << QList<QByteArray>{"Pie\xb6ni/0001 A.txt", "G/0002 B.txt"} << QStringList{u"0 9 1 Pie\\xB6ni"_qs}
            << QStringList{u"G/0002 B.txt"_qs} << QStringList{undecodable + u"Pie\\xB6ni"_qs};
        QTest::newRow("song in the root of a card with groups")
            << QList<QByteArray>{"0001 Root.TXT", "readme.txt", "G/0002 B.txt"}
            << QStringList{u"1 10 1 0001 Root.TXT"_qs} << QStringList{u"G/0002 B.txt"_qs}
            << QStringList{u"936 0001 Root.TXT"_qs};
        QTest::newRow("names apart only in the case of the extension")
            << QList<QByteArray>{"G/0003 A.txt", "G/0003 A.TXT", "G/0004 B.Txt", "G/0004 B.TXT"}
            << QStringList{u"3 11 1 G/0003 A.TXT"_qs, u"4 11 1 G/0004 B.Txt"_qs}
            << QStringList{u"G/0003 A.txt"_qs, u"G/0004 B.TXT"_qs}
            << QStringList{u"937 G/0003 A.TXT"_qs, u"937 G/0004 B.Txt"_qs};
    }
    void cardNames()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QStringList, issues);
        QFETCH(QStringList, packed);
        QFETCH(QStringList, skipped);
        const QString image = path(u"image"_qs);
        QVERIFY(QDir().mkpath(image) && makeRawFiles(image, files));

        SongLibrary library;
        library.setRoot(image);
        library.scanLibrary(kFullRefreshScan, {}, ScanOptions::readOnly());
        QCOMPARE(issueLines(library.issues()), issues);
        for (const SongGroupFiles &group : library.groups()) {
            for (const QString &name : group.files)
                QVERIFY2(QFileInfo(library.songPath(group.name, name)).isFile(), qPrintable(name));
        }

        // The command line's packing lists the names on its own; the program's takes the scan's.
        for (const CardPackList &list : {libraryPackList(image), libraryPackList(library)}) {
            QBuffer out;
            out.open(QIODevice::WriteOnly);
            const CardPackResult result = CardDataFile::write(out, list);
            QVERIFY(result.ok);
            QStringList records;
            for (const CardPackDirectory &directory : list) {
                for (const QString &file : directory.files)
                    records << directory.name + u'/' + file;
            }
            QCOMPARE(records, packed);
            QCOMPARE(findingLines(result.skipped).filter(u"93"_qs), skipped.filter(u"93"_qs));
        }

        // The copy keeps every name it can and lists the others; the check never calls equal
        // a card that holds such names too.
        const QString card = path(u"card"_qs);
        QVERIFY(QDir().mkpath(card));
        CardCopier copier;
        copier.copyTree(image, card, CardCopyMode::Overwrite);
        const QStringList copySkipped = skipped.filter(QRegularExpression(u"^93[56]"_qs));
        QCOMPARE(findingLines(copier.failures()), copySkipped);
        for (const QString &record : packed)
            QVERIFY2(QFileInfo(card + u'/' + record).isFile(), qPrintable(record));
        QCOMPARE(findingLines(planCardCopy(image, card, CardPlanMode::Verify).notHandled), copySkipped);
    }

    void decodings_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("charset");
        QTest::addColumn<QStringList>("offered"); // encoding=name
        QTest::newRow("Latin-2 bytes") << QByteArray("0020 W\xb6r\xf3"
                                                     "d.txt")
                                       << int(CharsetMode::Latin)
                                       << QStringList{u"ISO-8859-2=0020 Wśród.txt"_qs,
                                                      u"windows-1250=0020 W¶ród.txt"_qs};
        QTest::newRow("Windows-1251 bytes") << QByteArray("\xcf\xf1\xe0\xeb\xee\xec") << int(CharsetMode::Cyrillic)
                                            << QStringList{u"windows-1251=Псалом"_qs, u"KOI8-R=оЯЮКНЛ"_qs};
    }
    void decodings()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, charset);
        QFETCH(QStringList, offered);
        QStringList found;
        for (const NameRepair::Decoding &decoding : NameRepair::decodings(name, CharsetMode(charset)))
            found << decoding.encoding + u'=' + decoding.name;
        QCOMPARE(found, offered);
    }

    // The rename never replaces: a name already taken leaves both files as they were.
    void renameKeepsWhatIsThere()
    {
        const QString root = path(u"card"_qs);
        const QByteArray raw = "G/0020 W\xb6r\xf3"
                               "d.txt";
        QVERIFY(QDir().mkpath(root) && makeRawFiles(root, {raw, "G/0021 Taken.txt"}));
        QString error;
        QVERIFY(!NameRepair::rename(root, raw, u"0021 Taken.txt"_qs, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(listDirectory(root + u"/G").undecodable.size(), 1);
        QVERIFY(NameRepair::rename(root, raw, u"0020 Wśród.txt"_qs, &error));
        QCOMPARE(listDirectory(root + u"/G").files, QStringList({u"0020 Wśród.txt"_qs, u"0021 Taken.txt"_qs}));
    }

    // The dry run of a write refuses as the write does when the clear could not remove a name;
    // a card without folders packs its songs from its root.
    void writePlanAndFlatPack()
    {
        const QString card = path(u"card"_qs);
        const QString image = path(u"image"_qs);
        QVERIFY(QDir().mkpath(card) && makeRawFiles(card, {"0001 A.txt", "0020 W\xb6r.txt"}));
        QVERIFY(QDir().mkpath(image) && makeRawFiles(image, {"G/0002 B.txt"}));
        CardWriteRequest request;
        request.image = image;
        request.card = card;
        request.force = true; // a folder of songs without card folders
        const CardPlanResult plan = planCardWrite(request);
        const CardJobResult written = writeCard(request);
        QCOMPARE(written.status, CardJobResult::Status::NotClearable);
        QCOMPARE(plan.clear.blocked, written.error);
        QVERIFY(plan.plan.rows.isEmpty());

        const QString out = path(u"flat.lvp"_qs);
        QVERIFY(packCard(card, out).pack.ok);
        QVERIFY(unpackCardFile(out, path(u"back"_qs), false).unpack.status == CardUnpackStatus::Ok);
        QCOMPARE(listDirectory(path(u"back"_qs)).files, QStringList{u"0001 A.txt"_qs});
    }

    // A song saved back under its own name keeps its file; a new title gets a lower-case name.
    void saveKeepsTheFileName()
    {
        const QString dir = path(u"G"_qs);
        QVERIFY(QDir().mkpath(dir) && makeRawFiles(dir, {"0050 Upper.TXT"}));
        Song song;
        QVERIFY(SongFile::load(dir + u"/0050 Upper.TXT", song));
        QCOMPARE(SongSaving::plan(song, ItemKind::Song, dir, 50, u"Upper"_qs).target,
                 QString(dir + u"/0050 Upper.TXT"));
        QCOMPARE(SongSaving::plan(song, ItemKind::Song, dir, 50, u"Other"_qs).target,
                 QString(dir + u"/0050 Other.txt"));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestCardNames)
#include "tst_cardnames.moc"
