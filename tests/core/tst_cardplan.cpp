// SPDX-License-Identifier: GPL-3.0-or-later
// The plan of a card copy: the space it needs in whole clusters against what the card has,
// and a card folder that goes away while the plan reads it.
#include "core/card/cardplan.h"
#include "core/util/textids.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

using TestSupport::writeFile;

class TestCardPlan : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { setCardVolumeProbe({}); }

    void space_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<qint64>("cluster");
        QTest::addColumn<qint64>("free");
        QTest::addColumn<QStringList>("image"); // "path=size"
        QTest::addColumn<QStringList>("card");
        QTest::addColumn<qint64>("needed");
        QTest::addColumn<qint64>("available");
        const qint64 k = 1024;
        const QStringList threeBytes{u"0001 A.txt=1"_qs, u"0002 B.txt=1"_qs, u"0003 C.txt=1"_qs};
        QTest::newRow("three bytes on 32 KiB clusters") << false << 32 * k << 1000 * k << threeBytes << QStringList{}
                                                        << 96 * k << 1000 * k;
        QTest::newRow("no block size: 4096 taken") << false << qint64(0) << 1000 * k << threeBytes << QStringList{}
                                                   << 12 * k << 1000 * k;
        // 64 KiB free: short for an append, enough for a write once its clear freed the old files.
        const QStringList old{u"0007 X.txt=40000"_qs, u"0008 Y.txt=1"_qs};
        QTest::newRow("append short") << false << 32 * k << 64 * k << threeBytes << old << 96 * k << 64 * k;
        QTest::newRow("write fits after the clear") << true << 32 * k << 64 * k << threeBytes << old << 96 * k
                                                    << 160 * k;
        // A replacement grows by a cluster and is written beside the old file once.
        QTest::newRow("replacement") << false << 32 * k << 1000 * k << QStringList{u"G/0001 A.txt=40000"_qs}
                                     << QStringList{u"G/0001 A.txt=1"_qs} << 96 * k << 1000 * k;
        QTest::newRow("new directory") << false << 4 * k << 1000 * k << QStringList{u"G/0001 A.txt=0"_qs}
                                       << QStringList{} << 4 * k << 1000 * k;
    }
    void space()
    {
        QFETCH(bool, write);
        QFETCH(qint64, cluster);
        QFETCH(qint64, free);
        QFETCH(QStringList, image);
        QFETCH(QStringList, card);
        QFETCH(qint64, needed);
        QFETCH(qint64, available);
        QTemporaryDir dir;
        const auto fill = [&dir](const QString &root, const QStringList &files) {
            QDir().mkpath(dir.filePath(root));
            for (const QString &file : files) {
                const QStringList parts = file.split(u'=');
                QVERIFY(writeFile(dir.filePath(root + u'/' + parts.at(0)), QByteArray(parts.at(1).toInt(), 'x')));
            }
        };
        fill(u"image"_qs, image);
        fill(u"card"_qs, card);
        setCardVolumeProbe([&](const QString &) { return CardVolume{cluster, free}; });
        const CardPlan plan = planCardCopy(dir.filePath(u"image"_qs), dir.filePath(u"card"_qs),
                                           write ? CardPlanMode::Write : CardPlanMode::Append);
        QCOMPARE(plan.summary.spaceNeeded, needed);
        QCOMPARE(plan.summary.spaceAvailable, available);
        QCOMPARE(plan.failed(), needed > available);
        QCOMPARE(plan.summary.clusterAssumed, cluster == 0);
    }

    // The card goes while it is read: the plan says so and nothing appears on either side.
    void cardVanishes()
    {
        QTemporaryDir dir;
        const QString image = dir.filePath(u"image"_qs);
        const QString card = dir.filePath(u"card"_qs);
        QVERIFY(TestSupport::writeFiles(image + u'/', {u"G/0001 A.txt"_qs, u"G/0002 B.txt"_qs, u"H/0003 C.txt"_qs}));
        QVERIFY(writeFile(card + u"/G/0001 A.txt", "old"));
        const QStringList imageTree = TestSupport::treeOf(image, true);
        Progress progress;
        progress.onFile = [&card](const QString &, int, int) { QDir(card).removeRecursively(); };
        const CardPlan plan = planCardCopy(image, card, CardPlanMode::Append, CardAllCategories, progress);
        QCOMPARE(plan.error, (CardFinding{Txt::CardFolderMissing, card}));
        QVERIFY(plan.failed());
        QVERIFY(!QFileInfo::exists(card));
        QCOMPARE(TestSupport::treeOf(image, true), imageTree);
    }
};

QTEST_GUILESS_MAIN(TestCardPlan)
#include "tst_cardplan.moc"
