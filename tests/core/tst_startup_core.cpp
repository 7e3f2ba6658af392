// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/appdirs.h"
#include "core/app/singleinstance.h"
#include "core/app/startoptions.h"
#include "tablerows.h"

#include <QSysInfo>

class TestStartupCore : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("cards");
        QTest::addColumn<bool>("ids");
        QTest::addColumn<bool>("failed");
        for (const QStringList &row : TestSupport::tableRows(u"startup/commandline.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << row[1].split(u' ', Qt::SkipEmptyParts) << row[2] << row[3].split(u' ', Qt::SkipEmptyParts)
                << (row[4] == u"1") << (row[5] == u"1");
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        const StartOptions o = StartOptions::parse(args);
        QTEST(o.projectFile, "file");
        QTEST(o.cardFolders, "cards");
        QTEST(o.showTextIds, "ids");
        QTEST(!o.error.isEmpty(), "failed");
    }

    void secondLockInTheSameUserIsRefused()
    {
        QTemporaryDir dir;
        SingleInstance first;
        QCOMPARE(first.acquire(dir.path()), SingleInstance::Result::Acquired);
        SingleInstance second;
        QCOMPARE(second.acquire(dir.path()), SingleInstance::Result::AnotherInstance);
    }

    // A start nobody answered takes the lock over only when no live process holds it: a lock
    // file naming a live process of this program's name, but held by none, is a leftover.
    void takeOverAfterNoAnswer_data()
    {
        QTest::addColumn<bool>("heldByALiveProcess");
        QTest::addRow("holder alive") << true;
        QTest::addRow("holder killed, its number lives on") << false;
    }
    void takeOverAfterNoAnswer()
    {
        QFETCH(bool, heldByALiveProcess);
        QTemporaryDir dir;
        SingleInstance holder;
        if (heldByALiveProcess) {
            QCOMPARE(holder.acquire(dir.path()), SingleInstance::Result::Acquired);
        } else {
            const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
            const QByteArray leftover = QByteArray::number(QCoreApplication::applicationPid()) + '\n' + name.toUtf8()
                + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
            QVERIFY(TestSupport::writeFile(dir.filePath(QString::fromUtf16(SingleInstance::kLockName)), leftover));
        }
        SingleInstance second;
        QCOMPARE(second.acquire(dir.path()), SingleInstance::Result::AnotherInstance);
        QCOMPARE(second.takeOver(dir.path()),
                 heldByALiveProcess ? SingleInstance::Result::AnotherInstance : SingleInstance::Result::Acquired);
        SingleInstance third;
        QCOMPARE(third.acquire(dir.path()), SingleInstance::Result::AnotherInstance);
    }

    void unusableLockDirectoryStillRuns()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("plain-file"));
        QVERIFY(TestSupport::writeFile(file, "x"));
        SingleInstance instance;
        QCOMPARE(instance.acquire(file + u"/sub"), SingleInstance::Result::LockUnavailable);
    }

    void directoriesArePerUserAndEndWithSlash()
    {
        const AppDirs dirs = AppDirs::standard(QStringLiteral("/opt/lumivox/bin"));
        QCOMPARE(dirs.resourceDir, QStringLiteral("/opt/lumivox/share/lumivox/"));
        // The per-user locations (a HOME below /tmp is as good as any).
        QCOMPARE(dirs.dataDir, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u'/');
        QCOMPARE(dirs.workDir, QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + u'/');
        QCOMPARE(dirs.projectDir(), dirs.workDir + u"Projekt/");
        QCOMPARE(dirs.languageDir(), dirs.resourceDir + u"Language/");
    }

    void projectDirectoriesAreCreatedOnce()
    {
        QTemporaryDir root;
        AppDirs dirs;
        dirs.dataDir = root.filePath(QStringLiteral("d/"));
        dirs.workDir = root.filePath(QStringLiteral("w/"));
        QVERIFY(dirs.ensureDirectories());
        QVERIFY(QFileInfo(dirs.projectDir() + u"Song").isDir());
        QVERIFY(QFileInfo(dirs.projectDir() + u"Playlist").isDir());
        QVERIFY(QFileInfo(dirs.projectDir() + u"Screen").isDir());
        // An existing Projekt is left as it is.
        QDir(dirs.projectDir() + u"Screen").removeRecursively();
        QVERIFY(dirs.ensureDirectories());
        QVERIFY(!QFileInfo::exists(dirs.projectDir() + u"Screen"));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestStartupCore)
#include "tst_startup_core.moc"
