// SPDX-License-Identifier: GPL-3.0-or-later
// Card writes with a backup, appends limited to categories, restores into the card image.
#include "core/card/cardbackup.h"
#include "core/card/cardrestorejob.h"
#include "core/card/cardwritejob.h"
#include "core/card/librarypacking.h"
#include "tablerows.h"

#include <QTemporaryDir>
#include <QTest>

using namespace TestSupport;

class TestCardWriting : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    QString m_root;

private slots:
    void initTestCase() { initApplicationIdentity(); }
    void init()
    {
        m_dir.emplace();
        m_root = m_dir->path() + u'/';
    }

    void backupPath_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QString>("expected");
        for (const QStringList &row : TestSupport::tableRows(u"cardwriting/backupnames.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2] << row[3];
    }

    void backupPath()
    {
        QFETCH(QString, label);
        QFETCH(QString, taken);
        QFETCH(QString, expected);
        if (!taken.isEmpty())
            QVERIFY(writeFile(m_root + u"Backups/" + taken, "x"));
        const QDateTime when(QDate(2026, 1, 2), QTime(3, 4, 5));
        QCOMPARE(cardBackupPath(m_root + u"Backups", label, when), m_root + u"Backups/" + expected);
    }

    void layeredBackupEqualsPackAndListsWhatItLeavesOut()
    {
        const QString card = m_root + u"card/";
        QVERIFY(writeFiles(card,
                           {u"Psalmy/0001 Ps.txt"_qs, u"playlist_dir/0002 Msza.lst"_qs, u"screen_dir/0003 S.ekr"_qs}));
        const CardPackResult reference = CardDataFile::save(m_root + u"pack.lvp", libraryPackList(card));
        QVERIFY(reference.ok);
        // Without root files the backup is the library pack of the card, byte for byte.
        const CardBackupPlan plain = planCardBackup(card);
        QVERIFY(plain.leftOut.isEmpty());
        CardWriteRequest request{m_root + u"image"_qs, card,         false, false, CardAllCategories,
                                 m_root + u"b1.lvp",   plain.records};
        QVERIFY(writeFiles(request.image + u'/', {u"G/0009 New.txt"_qs}));
        const CardJobResult written = writeCard(request);
        QVERIFY(written.ok());
        QCOMPARE(written.backupPath, m_root + u"b1.lvp");
        QCOMPARE(readFile(m_root + u"b1.lvp"), readFile(m_root + u"pack.lvp"));
        QCOMPARE(treeOf(card), QStringList({u"G"_qs, u"G/0009 New.txt"_qs}));

        // Root files come first and unpack into the root; what no record holds is named.
        QVERIFY(writeFiles(card, {u"0005 Root.txt"_qs, u"notes.doc"_qs, u"G/deep/0006 D.txt"_qs, u".Trash-0/x"_qs}));
        const CardBackupPlan plan = planCardBackup(card);
        QCOMPARE(plan.records.first().name, QString());
        QCOMPARE(plan.leftOut, QStringList({u"G/deep"_qs, u"notes.doc"_qs}));
        QCOMPARE(CardDataFile::save(m_root + u"b2.lvp", plan.records).ok, true);
        QVERIFY(CardDataFile::load(m_root + u"b2.lvp", m_root + u"unpacked").ok());
        QCOMPARE(
            treeOf(m_root + u"unpacked"),
            QStringList({u"0005 Root.txt"_qs, u"G"_qs, u"G/0009 New.txt"_qs, u"playlist_dir"_qs, u"screen_dir"_qs}));
    }

    void flatBackupUnpacksWhole()
    {
        const QString card = m_root + u"card/";
        QVERIFY(writeFiles(card, {u"0001 A.txt"_qs, u"0002 L.lst"_qs, u"0003 S.ekr"_qs}));
        const CardBackupPlan plan = planCardBackup(card);
        QVERIFY(plan.leftOut.isEmpty());
        QVERIFY(CardDataFile::save(m_root + u"flat.lvp", plan.records).ok);
        QVERIFY(CardDataFile::load(m_root + u"flat.lvp", m_root + u"unpacked").ok());
        QCOMPARE(treeOf(m_root + u"unpacked", true), treeOf(card, true));
    }

    void failedBackupLeavesCardAlone_data()
    {
        QTest::addColumn<QString>("backups");
        // A file where the Backups folder should be: the backup cannot be made.
        QTest::newRow("Backups is a file") << u"Backups"_qs;
        // The clear would delete the backup it follows.
        QTest::newRow("Backups inside the card") << u"card/Backups"_qs;
    }

    void failedBackupLeavesCardAlone()
    {
        QFETCH(QString, backups);
        const QString card = m_root + u"card/";
        QVERIFY(writeFiles(card, {u"G/0001 A.txt"_qs, u"screen_dir/0002 S.ekr"_qs}));
        QVERIFY(writeFiles(m_root + u"image/", {u"H/0003 B.txt"_qs}));
        QVERIFY(writeFile(m_root + u"Backups", "x"));
        const QStringList before = treeOf(card, true);
        CardWriteRequest request{
            m_root + u"image"_qs,        card, false, false, CardAllCategories, m_root + backups + u"/CARD.lvp",
            planCardBackup(card).records};
        const CardJobResult result = writeCard(request);
        QCOMPARE(result.status, CardJobResult::Status::BackupFailed);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(treeOf(card, true), before);
    }

    void appendTakesCheckedCategories_data()
    {
        QTest::addColumn<bool>("flat");
        QTest::newRow("layered") << false;
        QTest::newRow("flat image, by extension") << true;
    }

    void appendTakesCheckedCategories()
    {
        QFETCH(bool, flat);
        const QString image = m_root + u"image/";
        const QString card = m_root + u"card/";
        const QStringList files = flat
            ? QStringList{u"0001 A.txt"_qs, u"0002 L.lst"_qs, u"0003 S.ekr"_qs}
            : QStringList{u"G/0001 A.txt"_qs, u"playlist_dir/0002 L.lst"_qs, u"screen_dir/0003 S.ekr"_qs};
        QVERIFY(writeFiles(image, files));
        QVERIFY(writeFile(card + u"screen_dir/0003 S.ekr", "old"));
        CardWriteRequest request{image, card, true, false, CardSongs | CardSlides, {}, {}};
        const CardJobResult result = writeCard(request);
        QVERIFY(result.ok());
        QCOMPARE(result.changes.size(), 2);
        QCOMPARE(result.changes.at(0).kind, int(CardChangeRecord::Song));
        QVERIFY(QFileInfo::exists(card + files.at(0)));
        QCOMPARE(QFileInfo::exists(card + files.at(1)), false);
        QCOMPARE(countCardImage(image, CardSongs | CardSlides).files, 2);
    }

    void restoreReplacesImageWithCard_data()
    {
        QTest::addColumn<QStringList>("cardFiles");
        QTest::addColumn<QStringList>("imageTree");
        // A layered card is one of the rows the wizard and the command line run alike (tst_cardwizard).
        QTest::newRow("flat") << QStringList{u"0001 A.txt"_qs, u"0002 L.lst"_qs, u"0003 S.ekr"_qs}
                              << QStringList{u"Nieokreslone"_qs, u"Nieokreslone/0001 A.txt"_qs,
                                             u"playlist_dir"_qs, u"playlist_dir/0002 L.lst"_qs,
                                             u"screen_dir"_qs,   u"screen_dir/0003 S.ekr"_qs};
    }

    void restoreReplacesImageWithCard()
    {
        QFETCH(QStringList, cardFiles);
        QFETCH(QStringList, imageTree);
        QVERIFY(writeFiles(m_root + u"card/", cardFiles));
        QVERIFY(writeFiles(m_root + u"image/", {u"Old/0009 X.txt"_qs, u"screen_dir/0008 Y.ekr"_qs}));
        const CardJobResult result = restoreCard(m_root + u"card/", m_root + u"image/", CardRestoreTarget::Image);
        QVERIFY(result.ok());
        QCOMPARE(treeOf(m_root + u"image"), imageTree);
    }
};

QTEST_GUILESS_MAIN(TestCardWriting)
#include "tst_cardwriting.moc"
