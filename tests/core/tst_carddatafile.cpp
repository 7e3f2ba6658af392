// SPDX-License-Identifier: GPL-3.0-or-later
// The card data file: byte layout, unpacking rules and bad input.
#include "filesizelimit.h"
#include "tablerows.h"

#include "core/app/cardmessages.h"
#include "core/app/language.h"
#include "core/app/projectfile.h"
#include "core/card/librarypacking.h"
#include "core/card/carddatafile.h"
#include "core/library/songlibrary.h"

#include <QBuffer>
#include <QtEndian>

#include <optional>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using TestSupport::readFile;
using TestSupport::treeOf;
using TestSupport::writeFile;

namespace {

QByteArray utf16Name(QStringView name)
{
    QByteArray bytes;
    const QString terminated = name.toString() + u'\n';
    for (QChar c : terminated) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

QByteArray dirRecord(QStringView name)
{
    return '\x01' + utf16Name(name);
}

QByteArray fileRecord(QStringView name, const QByteArray &contents, qint64 declaredSize = -1)
{
    QByteArray size(4, '\0');
    qToLittleEndian<quint32>(quint32(declaredSize < 0 ? contents.size() : declaredSize), size.data());
    return '\x02' + utf16Name(name) + size + contents;
}

const QByteArray kMagic = QByteArray::fromHex("00003155");

CardUnpackResult unpackBytes(const QByteArray &bytes, const QString &target, const Progress &progress = {},
                             CardUnpackFolders folders = CardUnpackFolders::MustBeNew)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return CardDataFile::read(buffer, target, progress, folders);
}

// A pipe-like device: its size is not known, so a short record shows only at its end.
class SequentialBuffer : public QIODevice
{
public:
    // killAt: the process is killed once the bytes before it have been read.
    explicit SequentialBuffer(const QByteArray &data, qint64 killAt = -1) : m_data(data), m_killAt(killAt)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_pos == m_killAt)
            raise(SIGKILL);
        const qint64 n = std::min({maxSize, qint64(m_data.size()) - m_pos, m_killAt < 0 ? maxSize : m_killAt - m_pos});
        memcpy(data, m_data.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_pos = 0;
    qint64 m_killAt;
};

// A small card: two groups, slides and playlists, with contents that are not text.
void makeCard(const QString &root)
{
    writeFile(root + u"/Psalmy/0001 Kyrie.txt", QByteArray("Kyrie\r\n", 7) + QByteArray(300, '\xFF'));
    writeFile(root + u"/Psalmy/0002 Gloria.txt", QByteArray("\x00\x01\x0A\x0D", 4));
    writeFile(root + u"/Psalmy/0003 Pusty.txt", QByteArray());
    writeFile(root + u"/Kolędy/0100 Wśród nocnej ciszy.txt", QByteArray(70000, 'k'));
    writeFile(root + u"/screen_dir/0001 Ogłoszenia.ekr", "slide");
    writeFile(root + u"/playlist_dir/0012 Ave.lst", "list");
    writeFile(root + u"/root-file.txt", "not part of the library");
    writeFile(root + u"/Psalmy/notes.doc", "not a song");
}

} // namespace

class TestCardDataFile : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir; // a fresh one for every test
    QString path(QStringView relative) const { return m_dir->filePath(relative.toString()); }

private slots:
    void init() { m_dir.emplace(); }
    void initTestCase()
    {
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
    }

    void magic_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        for (const QStringList &row : TestSupport::tableRows(u"cardunpack/magic.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << QByteArray::fromHex(row[1].toLatin1()) << (row[2] == u"1");
    }
    void magic()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        const CardUnpackResult result = unpackBytes(bytes, m_dir->path());
        QCOMPARE(result.status, accepted ? CardUnpackStatus::Ok : CardUnpackStatus::WrongMagic);
        QVERIFY(treeOf(m_dir->path()).isEmpty());
        if (!accepted)
            QCOMPARE(cardUnpackText(result), Lang::text(Txt::CardDataWrongFormat));
    }

    // Two groups of three songs, no slides or playlists: magic, dir, 3 files, dir, 3 files,
    // "screen_dir", "playlist_dir" -- in exactly these bytes.
    void recordSequence()
    {
        const QString root = path(u"card");
        QByteArray expected = kMagic;
        for (const QString &group : {QStringLiteral("A"), QStringLiteral("B")}) {
            expected += dirRecord(group);
            for (int i = 1; i <= 3; ++i) {
                const QString name = QStringLiteral("%1 %2.txt").arg(i, 4, 10, QLatin1Char('0')).arg(group);
                const QByteArray contents = QByteArray(i * 3, char('0' + i));
                QVERIFY(writeFile(root + u'/' + group + u'/' + name, contents));
                expected += fileRecord(name, contents);
            }
        }
        expected += dirRecord(u"screen_dir") + dirRecord(u"playlist_dir");

        QBuffer out;
        out.open(QIODevice::WriteOnly);
        const CardPackResult result = CardDataFile::write(out, libraryPackList(root));
        QVERIFY(result.ok);
        QCOMPARE(result.files, 6);
        QCOMPARE(out.data().toHex(' '), expected.toHex(' '));
    }

    // Pack, unpack and pack again: the same bytes, and only library files travel.
    void roundTrip()
    {
        const QString card = path(u"card");
        makeCard(card);
        const QString first = path(u"first.lvp");
        QVERIFY(CardDataFile::save(first, libraryPackList(card)).ok);
        const QString image = path(u"image");
        const CardUnpackResult unpacked = CardDataFile::load(first, image);
        QVERIFY2(unpacked.ok(), qPrintable(cardUnpackText(unpacked)));
        QCOMPARE(unpacked.directories, 4);
        QCOMPARE(unpacked.files, 6);
        QStringList travelled = treeOf(card, true);
        travelled.removeAll(u"root-file.txt=not part of the library"_qs);
        travelled.removeAll(u"Psalmy/notes.doc=not a song"_qs);
        QCOMPARE(treeOf(image, true), travelled);
        const QString second = path(u"second.lvp");
        QVERIFY(CardDataFile::save(second, libraryPackList(image)).ok);
        QCOMPARE(readFile(second), readFile(first));

        // A library the program scanned in full packs to the same bytes.
        SongLibrary library;
        library.setRoot(image);
        library.scanLibrary(kRefreshScan, {}, ScanOptions::readOnly());
        QCOMPARE(library.slideLists().size(), 1);
        QBuffer scanned;
        scanned.open(QIODevice::WriteOnly);
        QVERIFY(CardDataFile::write(scanned, libraryPackList(library)).ok);
        QCOMPARE(scanned.data(), readFile(first));
    }

    void unpackRules()
    {
        // A file before any directory record lands in the target root; an unknown byte
        // between records is passed over; a zero-length file is a file.
        const QByteArray bytes = kMagic + fileRecord(u"loose.txt", "L") + QByteArray("\x07\xEE", 2) + dirRecord(u"G")
            + fileRecord(u"0005 Amen....txt", "amen") + fileRecord(u"0006 Empty.txt", QByteArray());
        const CardUnpackResult result = unpackBytes(bytes, m_dir->path());
        QVERIFY2(result.ok(), qPrintable(cardUnpackText(result)));
        QCOMPARE(result.files, 3);
        QCOMPARE(treeOf(m_dir->path()),
                 QStringList({u"G"_qs, u"G/0005 Amen....txt"_qs, u"G/0006 Empty.txt"_qs, u"loose.txt"_qs}));
        QCOMPARE(readFile(path(u"G/0005 Amen....txt")), QByteArray("amen"));
        QVERIFY(QFileInfo(path(u"G/0006 Empty.txt")).isFile());
    }

    // An existing folder ends an unpack into new folders there, and the message names the folder;
    // reused, it takes the files, replacing those of the same name. A link in its place is never followed.
    void existingFolders_data()
    {
        QTest::addColumn<bool>("reuse");
        QTest::addColumn<bool>("link");
        QTest::addColumn<QStringList>("tree");
        const QStringList a{u"A"_qs, u"A/1.txt=1"_qs}, outside{u"outside"_qs, u"outside/2.txt=old"_qs};
        QTest::newRow("new folders only") << false << false << a + QStringList{u"B"_qs, u"B/2.txt=old"_qs} + outside;
        QTest::newRow("reused") << true << false << a + QStringList{u"B"_qs, u"B/2.txt=2"_qs} + outside;
        QTest::newRow("link in its place") << true << true << a + QStringList{u"B"_qs} + outside;
    }
    void existingFolders()
    {
        QFETCH(bool, reuse);
        QFETCH(bool, link);
        QFETCH(QStringList, tree);
        QVERIFY(writeFile(path(u"outside/2.txt"), "old"));
        QVERIFY(link ? QFile::link(path(u"outside"), path(u"B")) : writeFile(path(u"B/2.txt"), "old"));
        const QByteArray bytes = kMagic + dirRecord(u"A") + fileRecord(u"1.txt", "1") + dirRecord(u"B")
            + fileRecord(u"2.txt", "2");
        const CardUnpackResult result = unpackBytes(
            bytes, m_dir->path(), {}, reuse ? CardUnpackFolders::ReuseExisting : CardUnpackFolders::MustBeNew);
        const bool refused = !tree.contains(u"B/2.txt=2"_qs);
        QCOMPARE(cardUnpackText(result),
                 refused ? QString(cardFindingText({Txt::UnpackFolderNotMade, u"B"_qs}) + u" (File exists)")
                         : QString());
        QCOMPARE(treeOf(m_dir->path(), true), tree);
    }

    void damagedNames_data()
    {
        QTest::addColumn<QString>("name");
        for (const QStringList &row : TestSupport::tableRows(u"cardunpack/damaged-names.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << TestSupport::unescaped(row[1]);
    }
    void damagedNames()
    {
        QFETCH(QString, name);
        for (const bool asDirectory : {true, false}) {
            m_dir.emplace();
            const QString target = path(u"target");
            QByteArray bytes = kMagic + dirRecord(u"ok") + fileRecord(u"1.txt", "1");
            bytes += asDirectory ? dirRecord(name) : fileRecord(name, "evil");
            bytes += fileRecord(u"after.txt", "after");
            const CardUnpackResult result = unpackBytes(bytes, target);
            QCOMPARE(result.status, CardUnpackStatus::Damaged);
            QCOMPARE(result.name, name);
            QVERIFY(cardUnpackText(result).contains(name));
            // Nothing outside the target, nothing after the damaged record.
            QCOMPARE(treeOf(m_dir->path()), QStringList({u"target"_qs, u"target/ok"_qs, u"target/ok/1.txt"_qs}));
        }
    }

    void overlongNameIsDamaged()
    {
        const CardUnpackResult result = unpackBytes(kMagic + '\x01' + QByteArray("a\0", 2).repeated(100000),
                                                    m_dir->path());
        QCOMPARE(result.status, CardUnpackStatus::Damaged);
        QVERIFY(treeOf(m_dir->path()).isEmpty());
    }

    void truncated_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<bool>("sequential");
        const QByteArray big = fileRecord(u"big.txt", QByteArray(100, 'x'), 300000);
        QTest::newRow("size beyond the end") << big << false;
        QTest::newRow("size beyond the end, pipe") << big << true;
        QTest::newRow("size field cut") << fileRecord(u"big.txt", "").left(20) << false;
        QTest::newRow("name without line end") << QByteArray("\x02\x41\x00\x42", 4) << true;
        QTest::newRow("odd byte in name") << QByteArray("\x01\x41", 2) << false;
    }
    void truncated()
    {
        QFETCH(QByteArray, tail);
        QFETCH(bool, sequential);
        const QByteArray bytes = kMagic + dirRecord(u"G") + fileRecord(u"1.txt", "1") + tail;
        CardUnpackResult result;
        if (sequential) {
            SequentialBuffer device(bytes);
            result = CardDataFile::read(device, m_dir->path());
        } else {
            result = unpackBytes(bytes, m_dir->path());
        }
        QCOMPARE(result.status, CardUnpackStatus::Truncated);
        QVERIFY(!cardUnpackText(result).isEmpty());
        // No file holding part of the contents, no temporary file left behind.
        QCOMPARE(treeOf(m_dir->path()), QStringList({u"G"_qs, u"G/1.txt"_qs}));
    }

    void fileWhereDirectoryIsIsSkipped()
    {
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("taken.txt/inner")));
        QVERIFY(writeFile(path(u"kept.txt"), "old"));
        const QByteArray bytes = kMagic + fileRecord(u"taken.txt", "new") + fileRecord(u"kept.txt", "new")
            + dirRecord(u"G") + fileRecord(u"1.txt", "1");
        const CardUnpackResult result = unpackBytes(bytes, m_dir->path());
        QCOMPARE(result.status, CardUnpackStatus::Ok);
        QCOMPARE(result.notWritten, CardFindings({{Txt::CardFileNotWritten, u"taken.txt"_qs}}));
        QCOMPARE(result.files, 2);
        // An existing file is replaced by rename; the directory is untouched.
        QCOMPARE(readFile(path(u"kept.txt")), QByteArray("new"));
        QCOMPARE(treeOf(m_dir->path()),
                 QStringList({u"G"_qs, u"G/1.txt"_qs, u"kept.txt"_qs, u"taken.txt"_qs, u"taken.txt/inner"_qs}));
    }

    // A target that takes no more data (a file size limit here, as a full disk) stops the unpack
    // at the first failure, naming that file and the system's reason; no part of it stays.
    void writeFailureStops_data()
    {
        QTest::addColumn<int>("before");
        QTest::newRow("nothing unpacked") << 0;
        QTest::newRow("one file unpacked") << 1;
    }
    void writeFailureStops()
    {
        QFETCH(int, before);
        const QByteArray bytes = kMagic + dirRecord(u"G") + fileRecord(u"small.txt", "s").repeated(before)
            + fileRecord(u"big.txt", QByteArray(9000, 'b')) + fileRecord(u"last.txt", "l");
        CardUnpackResult result;
        {
            FileSizeLimit limit(4096);
            QVERIFY(limit.active());
            result = unpackBytes(bytes, m_dir->path());
        }
        QCOMPARE(result.files, before);
        QCOMPARE(cardUnpackText(result),
                 QString(cardFindingText({Txt::CardFileNotWritten, u"G/big.txt"_qs}) + u" (File too large) "
                         + Lang::text(Txt::UnpackStopped).arg(before)));
        QCOMPARE(treeOf(m_dir->path()), QStringList({u"G"_qs, u"G/small.txt"_qs}).mid(0, 1 + before));
    }

    // A process killed while it writes a file leaves nothing under the file's name: at most a
    // temporary dot name where the file system has no unnamed files.
    void killLeavesNoCutFile()
    {
        const QByteArray bytes = kMagic + dirRecord(u"G") + fileRecord(u"0001 A.txt", QByteArray(100000, 'a'));
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            SequentialBuffer device(bytes, bytes.size() - 1000);
            CardDataFile::read(device, m_dir->path());
            _exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        for (const QString &entry : treeOf(m_dir->path()).mid(1))
            QVERIFY2(entry.startsWith(u"G/.lumivox-%1-"_qs.arg(child)), qPrintable(entry));
    }

    // A named pipe, a device or a folder given as the card data file is refused at once, by the
    // command line's load and by the program's open; alarm() ends the test should an open block.
    void inputMustBeRegularFile_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("named pipe") << u"fifo.lvp"_qs;
        QTest::newRow("device") << u"/dev/null"_qs;
        QTest::newRow("folder") << u"folder.lvp"_qs;
    }
    void inputMustBeRegularFile()
    {
        QFETCH(QString, input);
        QCOMPARE(mkfifo(QFile::encodeName(path(u"fifo.lvp")).constData(), 0600), 0);
        QVERIFY(QDir().mkpath(path(u"folder.lvp")) && writeFile(path(u"Projekt/A.txt"), "kept"));
        const QString file = input.startsWith(u'/') ? input : path(input);
        alarm(20);
        for (const CardUnpackResult &result :
             {CardDataFile::load(file, path(u"target")), ProjectFile::open(file, path(u"Projekt"))})
            QCOMPARE(result.error, u"Not a regular file"_qs);
        alarm(0);
        QCOMPARE(treeOf(m_dir->path(), true).filter(u".txt"_qs), QStringList({u"Projekt/A.txt=kept"_qs}));
    }

    void stopFlagEndsUnpacking()
    {
        std::atomic_bool stop{false};
        Progress progress;
        progress.stop = &stop;
        QStringList seen;
        progress.onFile = [&](const QString &name, int, int) {
            seen.append(name);
            stop = true;
        };
        const QByteArray bytes = kMagic + dirRecord(u"G") + fileRecord(u"1.txt", "1") + fileRecord(u"2.txt", "2");
        const CardUnpackResult result = unpackBytes(bytes, m_dir->path(), progress);
        QCOMPARE(result.status, CardUnpackStatus::Stopped);
        QCOMPARE(seen, QStringList({u"1.txt"_qs}));
        QCOMPARE(treeOf(m_dir->path()), QStringList({u"G"_qs, u"G/1.txt"_qs}));
    }

    void packerSkipsWhatItCannotStore()
    {
        const QString root = m_dir->path();
        QVERIFY(writeFile(root + u"/G/0001 A.txt", "a"));
        QVERIFY(writeFile(root + u"/G/0002 back\\slash.txt", "b"));
        QVERIFY(writeFile(root + u"/G/0003 line\nfeed.txt", "c"));
        QVERIFY(writeFile(root + u"/Bad\tGroup/0004 D.txt", "d"));
        // Links are not packed: not when listed, and not when a caller names one.
        QVERIFY(QFile::link(root + u"/G/0001 A.txt", root + u"/G/0005 Link.txt"));
        QVERIFY(QFile::link(root + u"/G", root + u"/Linked group"));
        CardPackList list = libraryPackList(root);
        QCOMPARE(list.size(), 4);
        list[1].files.append(QStringLiteral("0009 Vanished.txt"));
        list[1].files.append(QStringLiteral("0005 Link.txt"));
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        const CardPackResult result = CardDataFile::write(out, list);
        QVERIFY(result.ok);
        QCOMPARE(result.files, 1);
        QCOMPARE(result.skipped,
                 CardFindings({{Txt::CardNameNotStorable, u"Bad\tGroup"_qs},
                               {Txt::CardNameNotStorable, u"G/0002 back\\slash.txt"_qs},
                               {Txt::CardNameNotStorable, u"G/0003 line\nfeed.txt"_qs},
                               {Txt::CardFileNotRead, u"G/0009 Vanished.txt"_qs},
                               {Txt::CardFileNotRead, u"G/0005 Link.txt"_qs}}));
        QCOMPARE(out.data(),
                 kMagic + dirRecord(u"G") + fileRecord(u"0001 A.txt", "a") + dirRecord(u"screen_dir")
                     + dirRecord(u"playlist_dir"));
    }

    void restoreImageReplacesTheProject()
    {
        const QString project = path(u"Projekt");
        const QString outside = path(u"outside");
        QVERIFY(writeFile(project + u"/Old/0001 Old.txt", "old"));
        QVERIFY(writeFile(outside + u"/keep.txt", "keep"));
        QVERIFY(QFile::link(outside, project + u"/link"));
        const QString good = path(u"good.lvp");
        const QString bad = path(u"bad.lvp");
        QVERIFY(writeFile(good, kMagic + dirRecord(u"New") + fileRecord(u"0002 New.txt", "new")));
        QVERIFY(writeFile(bad, "not a card data file"));

        QCOMPARE(CardDataFile::restoreImage(bad, project).status, CardUnpackStatus::WrongMagic);
        QCOMPARE(treeOf(project), QStringList({u"Old"_qs, u"Old/0001 Old.txt"_qs, u"link"_qs}));
        QCOMPARE(CardDataFile::restoreImage(path(u"missing.lvp"), project).status, CardUnpackStatus::OpenFailed);

        const CardUnpackResult result = CardDataFile::restoreImage(good, project);
        QVERIFY2(result.ok(), qPrintable(cardUnpackText(result)));
        QCOMPARE(treeOf(project), QStringList({u"New"_qs, u"New/0002 New.txt"_qs}));
        QCOMPARE(treeOf(outside), QStringList({u"keep.txt"_qs}));
    }

    void stoppedPackingKeepsOldFile()
    {
        makeCard(path(u"card"));
        const QString out = path(u"out.lvp");
        QVERIFY(writeFile(out, "previous"));
        std::atomic_bool stop{false};
        Progress progress;
        progress.stop = &stop;
        progress.onCounter = [&](int done) { stop = done >= 2; };
        const CardPackResult result = CardDataFile::save(out, libraryPackList(path(u"card")), progress);
        QVERIFY(!result.ok);
        QVERIFY(result.stopped);
        QCOMPARE(readFile(out), QByteArray("previous"));
        QCOMPARE(treeOf(m_dir->path()).filter(QStringLiteral("out")), QStringList({u"out.lvp"_qs}));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestCardDataFile)
#include "tst_carddatafile.moc"
