// SPDX-License-Identifier: GPL-3.0-or-later
// "lumivox-cli pack", "unpack" and "card" run as processes, the way a backup script uses them.
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

using TestSupport::readFile;
using TestSupport::treeOf;
using TestSupport::writeFile;

using TestSupport::runCli;
using CliRun = TestSupport::ProcessRun;

class TestCliCard : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        writeFile(path(u"card/Psalmy/0001 Kyrie.txt"_qs), "kyrie");
        writeFile(path(u"card/Psalmy/0002 Gloria.txt"_qs), "gloria");
        writeFile(path(u"card/Kolędy/0100 Lulajże.txt"_qs), "lulajze");
        writeFile(path(u"card/screen_dir/0003 Ogłoszenia.ekr"_qs), "slide");
        writeFile(path(u"card/playlist_dir/0012 Ave.lst"_qs), "list");
        writeFile(path(u"card/notes.txt"_qs), "root file, not in the library");
    }

    // pack -> unpack -> write -> append -> restore, each step checked on disk.
    void workflow()
    {
        CliRun r = runCli({u"pack"_qs, path(u"card"_qs), path(u"card.lvp"_qs)});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err)); // no progress line on a pipe
        r = runCli({u"unpack"_qs, path(u"card.lvp"_qs), path(u"image"_qs)});
        QCOMPARE(r.exitCode, 0);
        QStringList library = treeOf(path(u"card"_qs), true);
        library.removeAll(u"notes.txt=root file, not in the library"_qs);
        QCOMPARE(treeOf(path(u"image"_qs), true), library);
        r = runCli({u"pack"_qs, path(u"image"_qs), path(u"again.lvp"_qs)});
        QCOMPARE(readFile(path(u"again.lvp"_qs)), readFile(path(u"card.lvp"_qs)));

        // A card that already holds other files is cleared first.
        writeFile(path(u"sd/playlist_dir/0099 Old.lst"_qs), "old");
        writeFile(path(u"sd/Stare/0500 Old.txt"_qs), "old");
        r = runCli({u"card"_qs, u"write"_qs, path(u"image"_qs), path(u"sd"_qs)});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(treeOf(path(u"sd"_qs), true), library);

        r = runCli({u"card"_qs, u"write"_qs, path(u"image"_qs), path(u"sd"_qs), u"--append"_qs, u"--tsv"_qs});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QString());

        writeFile(path(u"image/Psalmy/0002 Gloria.txt"_qs), "glorIa");
        writeFile(path(u"image/Psalmy/0004 Sanctus.txt"_qs), "sanctus");
        writeFile(path(u"image/playlist_dir/0013 Msza.lst"_qs), "msza");
        r = runCli({u"card"_qs, u"write"_qs, path(u"image"_qs), path(u"sd"_qs), u"--append"_qs, u"--tsv"_qs});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, u"0\t2\tGloria\t1\n0\t4\tSanctus\t0\n1\t13\tMsza\t0\n"_qs);
        QCOMPARE(readFile(path(u"sd/Psalmy/0002 Gloria.txt"_qs)), QByteArray("glorIa"));

        r = runCli({u"card"_qs, u"write"_qs, path(u"image"_qs), path(u"sd"_qs), u"--append"_qs, u"--language"_qs, u"English"_qs});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, u"The card already holds everything; nothing was added.\n"_qs);

        r = runCli({u"card"_qs, u"restore"_qs, path(u"sd"_qs), path(u"library"_qs)});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(treeOf(path(u"library"_qs), true), treeOf(path(u"sd"_qs), true));
    }

    void unpackErrors_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong magic") << QByteArray("PK\x03\x04 not a card") << u"This is not a card data file."_qs;
        QTest::newRow("escaping name") << QByteArray::fromHex("00003155012e002e000a00") << u"\"..\" is not allowed"_qs;
        QTest::newRow("cut short") << QByteArray::fromHex("00003155024100") << u"cut short"_qs;
    }
    void unpackErrors()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QVERIFY(writeFile(path(u"bad.lvp"_qs), bytes));
        const CliRun r = runCli({u"unpack"_qs, path(u"bad.lvp"_qs), path(u"out/image"_qs), u"--language"_qs, u"English"_qs});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(treeOf(path(u"out"_qs), true).size() <= 1);
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing image") << QStringList({u"write"_qs, u"none"_qs, u"docs"_qs}) << u"does not exist or is empty"_qs;
        QTest::newRow("image inside the card") << QStringList({u"write"_qs, u"docs/image"_qs, u"docs"_qs, u"--force"_qs})
                                               << u"inside one another"_qs;
        QTest::newRow("home folder") << QStringList({u"write"_qs, u"card"_qs, u"home"_qs, u"--force"_qs}) << u"system or home folder"_qs;
        QTest::newRow("not a card") << QStringList({u"write"_qs, u"card"_qs, u"docs"_qs}) << u"--force"_qs;
        QTest::newRow("missing card") << QStringList({u"write"_qs, u"card"_qs, u"nowhere"_qs, u"--append"_qs}) << u"does not exist"_qs;
        QTest::newRow("restore from a missing card") << QStringList({u"restore"_qs, u"nowhere"_qs, u"docs"_qs}) << u"does not exist"_qs;
    }
    void refusalsChangeNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        writeFile(path(u"docs/letter.odt"_qs), "letter");
        writeFile(path(u"docs/image/Psalmy/0001 A.txt"_qs), "a");
        writeFile(path(u"home/.bashrc"_qs), "rc");
        const QStringList before = treeOf(m_dir.path(), true);
        QStringList full{u"card"_qs};
        for (const QString &arg : args)
            full.append(arg.startsWith(u"--") || arg == u"write" || arg == u"restore" ? arg : path(arg));
        full << u"--language"_qs << u"English"_qs;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_qs, path(u"home"_qs));
        const CliRun r = runCli(full, env);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(treeOf(m_dir.path(), true), before);
    }

    void forceClearsAFolderThatIsNotACard()
    {
        writeFile(path(u"docs/letter.odt"_qs), "letter");
        const CliRun r = runCli({u"card"_qs, u"write"_qs, path(u"card"_qs), path(u"docs"_qs), u"--force"_qs});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(!QFileInfo::exists(path(u"docs/letter.odt"_qs)));
        QVERIFY(QFileInfo::exists(path(u"docs/Psalmy/0001 Kyrie.txt"_qs)));
    }

};

LUMIVOX_TEST_MAIN_CORE(TestCliCard)
#include "tst_clicard.moc"
