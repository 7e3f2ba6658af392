// SPDX-License-Identifier: GPL-3.0-or-later
// "lumivox-cli report" run as a process: the three reports of the fixture card, whole.
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCliReport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void reportOfTheFixtureCard_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("errorStart");
        QTest::newRow("songbook") << QStringLiteral("songbook") << QStringLiteral("songbook.rtf")
                                  << QStringLiteral("Pominięto utworów: 3");
        QTest::newRow("index") << QStringLiteral("index") << QStringLiteral("index.rtf") << QString();
        QTest::newRow("alphabetical") << QStringLiteral("alphabetical") << QStringLiteral("alphabetical.rtf") << QString();
    }
    void reportOfTheFixtureCard()
    {
        QFETCH(QString, kind);
        QFETCH(QString, expected);
        QFETCH(QString, errorStart);
        const QString card = TestSupport::testData(QStringLiteral("report/card"));
        const QStringList before = TestSupport::treeOf(card, true);
        const QString out = m_dir.filePath(kind + QStringLiteral(".rtf"));
        const TestSupport::ProcessRun r = TestSupport::runCli({QStringLiteral("report"), kind, card, out});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(TestSupport::readFile(out),
                 TestSupport::readFile(TestSupport::testData(QStringLiteral("report/") + expected)));
        QCOMPARE(r.err.isEmpty(), errorStart.isEmpty());
        QVERIFY(r.err.startsWith(errorStart));
        QCOMPARE(TestSupport::treeOf(card, true), before);
    }

    void badArgumentsWriteNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown kind") << QStringList{QStringLiteral("poems"), QStringLiteral("card")};
        QTest::newRow("no card") << QStringList{QStringLiteral("index"), QStringLiteral("missing card")};
        QTest::newRow("output folder missing") << QStringList{QStringLiteral("index"), QStringLiteral("card"),
                                                              QStringLiteral("no folder/out.rtf")};
    }
    void badArgumentsWriteNothing()
    {
        QFETCH(QStringList, args);
        QStringList full{QStringLiteral("report")};
        for (const QString &arg : args)
            full << (arg == u"card" ? TestSupport::testData(QStringLiteral("report/card")) : m_dir.filePath(arg));
        if (args.size() == 2)
            full << m_dir.filePath(QStringLiteral("bad.rtf"));
        const TestSupport::ProcessRun r = TestSupport::runCli(full);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.startsWith(u"lumivox-cli: "));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("bad.rtf"))));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestCliReport)
#include "tst_clireport.moc"
