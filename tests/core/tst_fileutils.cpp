// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/musicmap.h"
#include "core/card/carddatafile.h"
#include "core/font/boardfont.h"
#include "core/font/fontexport.h"
#include "core/model/playlist.h"
#include "core/model/songfile.h"
#include "core/util/atomicsave.h"
#include "core/util/fileutils.h"
#include "core/util/leftoverfiles.h"
#include "filesizelimit.h"
#include "testsupport.h"

#include <sys/stat.h>
#include <unistd.h>

class TestFileUtils : public QObject
{
    Q_OBJECT

private slots:
    void sortedEntriesCompareCodeUnitsAndSkipDotNames()
    {
        QTemporaryDir dir;
        for (const char *name : {"b.txt", "B.txt", "a.txt", ".Trash-1000", "Ą.txt", "0001 x.txt"})
            QVERIFY(TestSupport::writeFile(dir.filePath(QString::fromUtf8(name)), "x"));
        QDir().mkpath(dir.filePath(QStringLiteral("grupa")));
        QCOMPARE(sortedEntries(dir.path(), QDir::Files),
                 QStringList({QStringLiteral("0001 x.txt"), QStringLiteral("B.txt"), QStringLiteral("a.txt"),
                              QStringLiteral("b.txt"), QStringLiteral("Ą.txt")}));
        QCOMPARE(sortedEntries(dir.path(), QDir::Dirs), QStringList({QStringLiteral("grupa")}));
        QCOMPARE(sortedEntries(dir.path(), QDir::Files, {QStringLiteral("*.txt")}).size(), 5);
        QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("upper.TXT")), "x"));
        QCOMPARE(sortedEntries(dir.path(), QDir::Files, {QStringLiteral("*.txt")}).size(), 5);
    }

    // Only the temporary files of writers that no longer run go; a running writer's stays.
    void leftoversOfEndedWritersOnly_data()
    {
        QTest::addColumn<QString>("name"); // PID: an ended process, SELF: this one
        QTest::addColumn<bool>("removed");
        QTest::newRow("ended writer") << u".lumivox-PID-0-3.tmp"_qs << true;
        QTest::newRow("running writer") << u".lumivox-SELF-12-0.tmp"_qs << false;
        QTest::newRow("no pid") << u".lumivox--0-0.tmp"_qs << false;
        QTest::newRow("other suffix") << u".lumivox-PID-0-0.tmpx"_qs << false;
        QTest::newRow("a part missing") << u".lumivox-PID-0.tmp"_qs << false;
        QTest::newRow("a song") << u"0001 PID.txt"_qs << false;
    }
    void leftoversOfEndedWritersOnly()
    {
        QFETCH(QString, name);
        QFETCH(bool, removed);
        name.replace(u"PID"_qs, QString::number(TestSupport::endedProcessId()))
            .replace(u"SELF"_qs, QString::number(getpid()));
        QTemporaryDir dir;
        QVERIFY(TestSupport::writeFile(dir.filePath(name), "cut"));
        QCOMPARE(leftoverFiles(dir.path()), removed ? QStringList{name} : QStringList{});
        QCOMPARE(removeLeftoverFiles(dir.path()), removed ? QStringList{name} : QStringList{});
        QCOMPARE(QFileInfo::exists(dir.filePath(name)), !removed);
    }

    void deleteTreeEmptiesButKeepsRootAndNeverFollowsLinks()
    {
        QTemporaryDir dir;
        QTemporaryDir outside;
        const QString keep = outside.filePath(QStringLiteral("keep.txt"));
        QVERIFY(TestSupport::writeFile(keep, "precious"));
        QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("a/b/c.txt")), "x"));
        QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral(".hidden")), "x"));
        QVERIFY(QFile::link(outside.path(), dir.filePath(QStringLiteral("a/link-to-outside"))));
        QVERIFY(QFile::link(keep, dir.filePath(QStringLiteral("file-link"))));

        QStringList seen;
        Progress progress;
        progress.onFile = [&seen](const QString &name, int, int) { seen << name; };
        QVERIFY(deleteTree(dir.path(), progress));
        QVERIFY(QDir(dir.path()).exists());
        QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
        QCOMPARE(TestSupport::readFile(keep), QByteArray("precious"));
        QVERIFY(seen.size() >= 3);
        QVERIFY(!deleteTree(dir.filePath(QStringLiteral("missing"))));
    }

    void stopFlagEndsBetweenFiles()
    {
        QTemporaryDir dir;
        for (int i = 0; i < 5; ++i)
            QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("%1.txt").arg(i)), "x"));
        std::atomic_bool stop = false;
        Progress progress;
        int count = 0;
        progress.stop = &stop;
        progress.onFile = [&](const QString &, int, int) {
            if (++count == 2)
                stop = true;
        };
        QVERIFY(!deleteFiles(dir.path(), QStringLiteral("*.txt"), progress));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    }

    void copyFilesNeverReplacesAndSkipsSubdirectories()
    {
        QTemporaryDir source;
        QTemporaryDir target;
        QVERIFY(TestSupport::writeFile(source.filePath(QStringLiteral("1.txt")), "new"));
        QVERIFY(TestSupport::writeFile(source.filePath(QStringLiteral("2.txt")), "two"));
        QVERIFY(TestSupport::writeFile(source.filePath(QStringLiteral("sub/3.txt")), "three"));
        QVERIFY(TestSupport::writeFile(target.filePath(QStringLiteral("1.txt")), "old"));
        QVERIFY(copyFiles(source.path(), target.path()));
        QCOMPARE(TestSupport::readFile(target.filePath(QStringLiteral("1.txt"))), QByteArray("old"));
        QCOMPARE(TestSupport::readFile(target.filePath(QStringLiteral("2.txt"))), QByteArray("two"));
        QVERIFY(!QFileInfo::exists(target.filePath(QStringLiteral("sub"))));
    }

    void deleteFilesMatchesPatternOnly()
    {
        QTemporaryDir dir;
        QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("a.lst")), "x"));
        QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("b.txt")), "x"));
        QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("sub.lst/c.lst")), "x"));
        QVERIFY(deleteFiles(dir.path(), QStringLiteral("*.lst")));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("a.lst"))));
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("b.txt"))));
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("sub.lst/c.lst"))));
    }

    // The disk refuses the new content part way through: every format's save leaves the old file
    // byte for byte and no temporary file, and gives the system's reason.
    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("fileName");
        // A plain file, then one of each format the program saves.
        for (const char *name :
             {"plain.bin", "0001 Kyrie.txt", "0002 Msza.lst", "Font_V1.fnt", "MusicCross.txt", "card.lvp", "fonts.out"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }
    void failedSaveKeepsTheOldFile()
    {
        QFETCH(QString, fileName);
        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        QVERIFY(TestSupport::writeFile(path, "old content"));
        // What the saves write, prepared before the limit: every one is well over it.
        const QString sources = dir.filePath(QStringLiteral("sources/"));
        QVERIFY(TestSupport::writeFile(sources + u"G/0001 A.txt", QByteArray(500, 'a')));
        QVERIFY(FontFile::save(sources + u"A.fnt", BoardFont()));
        Song song;
        song.insertStanzaAfterCurrent(); // a stanza with its blank screen
        Playlist playlist;
        MusicMap map;
        for (int i = 0; i < 20; ++i) {
            PlaylistEntry entry;
            entry.title = QStringLiteral("Kyrie %1").arg(i);
            playlist.append(entry);
            map.setValue(QStringLiteral("Kyrie %1").arg(i), QStringLiteral("kyrie.mp3"));
        }
        FontExportOptions fonts{sources, dir.path(), {QStringLiteral("A")}};

        QString error;
        bool saved = true;
        {
            FileSizeLimit limit(100);
            QVERIFY(limit.active());
            const QString row = QString::fromUtf8(QTest::currentDataTag());
            if (row == u"bytes") {
                saved = saveFileAtomically(path, QByteArray(10000, 'x'), &error);
            } else if (row == u"song") {
                saved = SongFile::save(path, song, &error);
            } else if (row == u"playlist") {
                saved = playlist.save(path, &error);
            } else if (row == u"font") {
                saved = FontFile::save(path, BoardFont(), &error);
            } else if (row == u"music map") {
                saved = map.save(path, &error);
            } else if (row == u"card data file") {
                const CardPackResult result = CardDataFile::save(path, {{u"G"_qs, sources + u"G", {u"0001 A.txt"_qs}}});
                saved = result.ok;
                error = result.error;
            } else {
                const FontExportResult result = exportFontImage(fonts);
                saved = result.ok;
                error = result.error;
            }
        }
        QVERIFY(!saved);
        QCOMPARE(TestSupport::readFile(path), QByteArray("old content"));
        QCOMPARE(error, qt_error_string(EFBIG));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{fileName});
    }

    // A save never puts a plain file where a folder, a pipe or a device was.
    void saveRefusesWhatIsNoRegularFile()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"folder"_qs);
        const QString fifo = dir.filePath(u"fifo"_qs);
        const QString link = dir.filePath(u"link"_qs);
        QVERIFY(QDir().mkdir(folder));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QFile::link(folder, link));
        for (const QString &target : {folder, fifo, link, u"/dev/null"_qs}) {
            QString error;
            QVERIFY2(!saveFileAtomically(target, "x", &error), qPrintable(target));
            QCOMPARE(error, u"Not a regular file"_qs);
        }
        QVERIFY(QFileInfo(folder).isDir() && QFileInfo(link).isSymLink());
        QVERIFY(!QFileInfo(fifo).isFile());
        QVERIFY(saveFileAtomically(dir.filePath(u"new"_qs), "x"));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestFileUtils)
#include "tst_fileutils.moc"
