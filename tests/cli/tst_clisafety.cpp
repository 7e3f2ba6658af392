// SPDX-License-Identifier: GPL-3.0-or-later
// The command line on failing disks and outputs that are no regular files: every refusal exits 2
// with a message and leaves the old files as they were. A failing disk is a file size limit the
// child inherits. Refusals of bad input are cases of tst_cli (tests/data/cli).
#include "filesizelimit.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using TestSupport::readFile;
using TestSupport::treeOf;
using TestSupport::writeFile;
using CliRun = TestSupport::ProcessRun;

namespace {

CliRun runCli(const QStringList &args)
{
    return TestSupport::runProcess(TestSupport::buildDir() + u"/bin/lumivox-cli", args);
}

// A song of ten screens: well over the size limits below in any form.
QByteArray bigSong()
{
    const QByteArray screen = "#e\r\n" + QByteArray("Pan jest pasterzem  \r\n").repeated(10);
    return "#n 0\r\n#k 1,\r\n#z\r\n" + screen.repeated(10);
}

} // namespace

class TestCliSafety : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    // A save that fails part-way leaves the old file byte for byte and gives the reason.
    void failedSaveKeepsOldFile_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("target");
        QTest::newRow("song rewrite") << QStringList{u"song"_qs, u"rewrite"_qs, u"@in/G/0001 Big.txt"_qs,
                                                     u"@old.txt"_qs}
                                      << u"old.txt"_qs;
        QTest::newRow("pack") << QStringList{u"pack"_qs, u"@in"_qs, u"@old.lvp"_qs} << u"old.lvp"_qs;
    }
    void failedSaveKeepsOldFile()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, target);
        QVERIFY(writeFile(path(u"in/G/0001 Big.txt"_qs), bigSong()));
        QVERIFY(writeFile(path(target), "old bytes"));
        for (QString &arg : args) {
            if (arg.startsWith(u'@'))
                arg = path(arg.mid(1));
        }
        CliRun r;
        {
            FileSizeLimit limit(1024);
            QVERIFY(limit.active());
            r = runCli(args);
        }
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(u"File too large"), qPrintable(r.err));
        QCOMPARE(readFile(path(target)), QByteArray("old bytes"));
        QCOMPARE(treeOf(QFileInfo(path(target)).path()).filter(u".tmp"_qs), QStringList());
    }

    // An OUT that is not a regular file is never replaced by one: here a named pipe, which would
    // hang a plain open (the other kinds are tst_fileutils' rows of the one save path).
    void outputMustBeRegularFile()
    {
        QVERIFY(writeFile(path(u"card/G/0001 A.txt"_qs), "#0/\r\nA\r\n"));
        QVERIFY(writeFile(path(u"fonts/a.fnt"_qs), "0\r\n"));
        const QString out = path(u"out"_qs);
        const QString target = out + u"/fonts.out";
        QVERIFY(QDir().mkpath(out));
        QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        const QList<QStringList> commands = {
            {u"song"_qs, u"rewrite"_qs, path(u"card/G/0001 A.txt"_qs), target},
            {u"pack"_qs, path(u"card"_qs), target},
            {u"fonts"_qs, u"export"_qs, path(u"fonts"_qs), out},
        };
        for (const QStringList &args : commands) {
            const CliRun r = runCli(args);
            QCOMPARE(r.exitCode, 2);
            QVERIFY2(r.err.contains(u"Not a regular file"), qPrintable(r.err));
            QVERIFY(!QFileInfo(target).isFile());
        }
    }

    // fonts.h that cannot be written is reported and named.
    void fontsHeaderFailureIsReported()
    {
        QVERIFY(writeFile(path(u"fonts/a.fnt"_qs), "0\r\n"));
        QVERIFY(QDir().mkpath(path(u"out/fonts.h"_qs)));
        const CliRun r = runCli({u"fonts"_qs, u"export"_qs, path(u"fonts"_qs), path(u"out"_qs), u"--header"_qs});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(u"fonts.h"), qPrintable(r.err));
    }

    // A new file that does not fit leaves nothing under a card name, and an append whose copies
    // failed never says that the card holds everything.
    void failedCopiesAreCounted()
    {
        QVERIFY(writeFile(path(u"image/G/0001 Big.txt"_qs), bigSong()));
        QVERIFY(writeFile(path(u"image/G/0002 Big.txt"_qs), bigSong()));
        QVERIFY(QDir().mkpath(path(u"card/playlist_dir"_qs)));
        CliRun r;
        {
            FileSizeLimit limit(1024);
            r = runCli({u"card"_qs, u"write"_qs, path(u"image"_qs), path(u"card"_qs), u"--append"_qs});
        }
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(!r.out.contains(u"wszystkie"), qPrintable(r.out));
        QVERIFY2(r.err.contains(u"Nie skopiowano plików: 2."), qPrintable(r.err));
        QCOMPARE(treeOf(path(u"card"_qs)), QStringList({u"G"_qs, u"playlist_dir"_qs}));
    }

    // A card that cannot be cleared completely is not written, nor cleared: exit 2, the file named.
    void clearFailureStopsWrite()
    {
        QVERIFY(writeFile(path(u"image/G/0001 New.txt"_qs), "new"));
        QVERIFY(writeFile(path(u"card/Old/0001 Old.txt"_qs), "old"));
        QVERIFY(QDir().mkpath(path(u"card/playlist_dir"_qs)));
        const QByteArray locked = QFile::encodeName(path(u"card/Old"_qs));
        const bool mounted = mount(locked.constData(), locked.constData(), nullptr, MS_BIND, nullptr) == 0
            && mount(nullptr, locked.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
        if (!mounted)
            QVERIFY(QFile::setPermissions(path(u"card/Old"_qs), QFile::ReadOwner | QFile::ExeOwner));
        const CliRun r = runCli({u"card"_qs, u"write"_qs, path(u"image"_qs), path(u"card"_qs)});
        if (mounted)
            umount(locked.constData());
        QFile::setPermissions(path(u"card/Old"_qs), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!mounted && geteuid() == 0)
            QSKIP("root without the right to mount: nothing here refuses a delete");
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(u"Old/0001 Old.txt"), qPrintable(r.err));
        // Refused before the clear: nothing of the card is gone.
        QCOMPARE(readFile(path(u"card/Old/0001 Old.txt"_qs)), QByteArray("old"));
        QVERIFY(QFileInfo(path(u"card/playlist_dir"_qs)).isDir());
        QVERIFY(!QFileInfo::exists(path(u"card/G/0001 New.txt"_qs)));
    }
};

QTEST_GUILESS_MAIN(TestCliSafety)
#include "tst_clisafety.moc"
