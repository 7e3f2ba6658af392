// SPDX-License-Identifier: GPL-3.0-or-later
// The plan of a card copy: the space it needs in whole clusters against what the card has,
// and a card folder that goes away while the plan reads it.
#include "core/card/cardplan.h"
#include "core/util/textids.h"
#include "tablerows.h"

#include <QTemporaryDir>
#include <QtTest>

using TestSupport::writeFile;

class TestCardPlan : public QObject
{
    Q_OBJECT

private slots:
    void space_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<qint64>("cluster");
        QTest::addColumn<qint64>("free");
        QTest::addColumn<QStringList>("image"); // "path=size"
        QTest::addColumn<QStringList>("card");
        QTest::addColumn<qint64>("needed");
        QTest::addColumn<qint64>("available");
        const auto kib = [](const QString &field) { return field.toLongLong() < 0 ? -1 : field.toLongLong() * 1024; };
        for (const QStringList &row : TestSupport::tableRows(u"cardcheck/space.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << (row[1] == u"write") << kib(row[2]) << kib(row[3]) << row[4].split(u'|', Qt::SkipEmptyParts)
                << row[5].split(u'|', Qt::SkipEmptyParts) << kib(row[6]) << kib(row[7]);
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
        const CardVolumeProbe volume = [&](const QString &) { return CardVolume{cluster, free}; };
        const CardPlan plan = planCardCopy(dir.filePath(u"image"_qs), dir.filePath(u"card"_qs),
                                           write ? CardPlanMode::Write : CardPlanMode::Append, CardAllCategories, {},
                                           volume);
        QCOMPARE(plan.summary.spaceNeeded, needed);
        QCOMPARE(plan.summary.spaceAvailable, available);
        QCOMPARE(plan.failed(), available >= 0 && needed > available);
        QCOMPARE(plan.summary.clusterAssumed, cluster == 0);
    }

    // Without a probe the folder's own file system answers, with no mount table needed.
    void volumeOfTheFolderItself()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"image/G/0001 A.txt"_qs), "a"));
        QVERIFY(QDir().mkpath(dir.filePath(u"card"_qs)));
        const CardPlan plan = planCardCopy(dir.filePath(u"image"_qs), dir.filePath(u"card"_qs), CardPlanMode::Write);
        QVERIFY(plan.summary.spaceKnown());
        QVERIFY(!plan.summary.clusterAssumed);
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
