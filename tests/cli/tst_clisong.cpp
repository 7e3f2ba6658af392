// SPDX-License-Identifier: GPL-3.0-or-later
// "lumivox-cli song" run as a process, as a script would.
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCliSong : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    using Run = TestSupport::ProcessRun;

    static Run cli(const QStringList &args)
    {
        return TestSupport::runCli(QStringList{QStringLiteral("song")} + args);
    }

    QString copyOfFixture(const char *name)
    {
        const QString target = m_dir.filePath(QString::fromUtf8(name));
        QFile::remove(target);
        QFile::copy(TestSupport::testData(QStringLiteral("songfile/") + QString::fromUtf8(name)), target);
        return target;
    }

private slots:
    void rewritePrintsIssuesAndWritesCanonicalForm()
    {
        const QString in = copyOfFixture("0003 Tabs and short lines.txt");
        const QByteArray original = TestSupport::readFile(in);
        const QString out = m_dir.filePath(QStringLiteral("0003 Canonical.txt"));
        const Run r = cli({QStringLiteral("rewrite"), in, out});
        QCOMPARE(r.exitCode, 0);
        const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 19);
        QCOMPARE(lines.first(), QString(in + u"\t3\t4\t1\t0003 Tabs and short lines"));
        QCOMPARE(TestSupport::readFile(in), original);
        const QByteArray written = TestSupport::readFile(out);
        QVERIFY(!written.contains('\t'));
        QVERIFY(written.startsWith("#n 0\r\n#k 1,2,1,\r\n#z\r\n#e\r\n                    \r\n"));
        QCOMPARE(written.count("\r\n"), 2 + 2 + 11 + 2 * 11); // header, stanzas, screens
        QCOMPARE(written.count('\n'), written.count("\r\n"));

        // The canonical file checks clean and rewrites to itself.
        QCOMPARE(cli({QStringLiteral("check"), out}).exitCode, 0);
        const QString again = m_dir.filePath(QStringLiteral("0003 Again.txt"));
        QCOMPARE(cli({QStringLiteral("rewrite"), out, again}).exitCode, 0);
        QCOMPARE(TestSupport::readFile(again), written);
    }

    void rewriteRefusesToOverwriteItsInput()
    {
        const QString in = copyOfFixture("0003 Tabs and short lines.txt");
        const QByteArray original = TestSupport::readFile(in);
        const Run r = cli({QStringLiteral("rewrite"), in, in});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(!r.err.isEmpty());
        QCOMPARE(TestSupport::readFile(in), original);
    }

    void checkExitCodes()
    {
        const QString clean = copyOfFixture("0001 Example.txt");
        const QString dirty = copyOfFixture("0003 Tabs and short lines.txt");
        const QByteArray dirtyBytes = TestSupport::readFile(dirty);
        Run r = cli({QStringLiteral("check"), clean});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.isEmpty());
        r = cli({QStringLiteral("check"), clean, dirty});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out.count(u'\n'), 19);
        QCOMPARE(TestSupport::readFile(dirty), dirtyBytes); // the tab rewrite stays off
        r = cli({QStringLiteral("check"), dirty, m_dir.filePath(QStringLiteral("0009 missing.txt"))});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains(QStringLiteral("0009 missing.txt")));
        QCOMPARE(r.out.count(u'\n'), 19);
    }

    void showPerformanceOrder()
    {
        const QString in = copyOfFixture("0001 Example.txt");
        const Run r = cli({QStringLiteral("show"), in});
        QCOMPARE(r.exitCode, 0);
        const QStringList lines = r.out.split(u'\n');
        QCOMPARE(lines.size(), 2 * 11 + 1);
        QCOMPARE(lines[0], u"-- stanza 1, screen 1/1"_qs);
        QCOMPARE(lines[1], u"Pan jest pasterzem"_qs);
        QCOMPARE(lines[5], u"Pozwala mi leżeć"_qs);
        QCOMPARE(lines[11], u"-- stanza 2 (refrain), screen 1/1"_qs);
        QCOMPARE(lines[21], u"  Święty Bóg"_qs);
        QVERIFY(lines[22].isEmpty());
    }

    void showSlideInFileOrder()
    {
        const QString in = copyOfFixture("0004 Slide.ekr");
        const Run r = cli({QStringLiteral("show"), in});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith(u"-- stanza 1, screen 1/1\nOgłoszenia\n\nNiedziela 10:00\n"_qs));
    }

};

LUMIVOX_TEST_MAIN_CORE(TestCliSong)
#include "tst_clisong.moc"
