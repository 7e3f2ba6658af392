// SPDX-License-Identifier: GPL-3.0-or-later
// The card wizard's plan page and read-back: a card short of space cannot be written, and a
// card that does not hold the image after the copy is never reported as written.
#include "core/app/language.h"
#include "core/card/cardplan.h"
#include "gui/card/cardwizard.h"
#include "librarytestsupport.h"
#include "testappcore.h"
#include "testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace LibraryTest;

class TestCardWizardCheck : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestAppCore> m_app;
    BoxRecorder m_boxes;
    std::optional<QTemporaryDir> m_dir;
    QString m_image;
    QString m_card;

    std::unique_ptr<CardWizard> wizardOnPlan()
    {
        auto drives = std::make_shared<FakeDriveProvider>();
        drives->setDrives({{u"CARD"_qs, m_card, false, u"FOLDER"_qs, m_card, true}});
        auto w = std::make_unique<CardWizard>(m_image, m_dir->filePath(u"Backups"_qs), drives, nullptr);
        w->show();
        w->next();
        w->next();
        return w;
    }

private slots:
    void initTestCase()
    {
        m_app = std::make_unique<TestAppCore>();
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
        m_boxes.install();
    }
    void init()
    {
        m_boxes.clear();
        m_dir.emplace();
        m_image = m_dir->filePath(u"image/"_qs);
        m_card = m_dir->filePath(u"card/"_qs);
        QVERIFY(TestSupport::writeFiles(m_image, {u"G/0001 A.txt"_qs, u"G/0002 B.txt"_qs, u"screen_dir/0005 S.ekr"_qs}));
        QVERIFY(TestSupport::writeFiles(m_card, {u"G/0009 Stary.txt"_qs, u"screen_dir/0005 S.ekr"_qs}, "old"));
    }
    void cleanup() { setCardVolumeProbe({}); }

    void shortfallStopsTheWrite()
    {
        setCardVolumeProbe([](const QString &) { return CardVolume{32768, 0}; });
        const QStringList before = TestSupport::treeOf(m_card, true);
        auto w = wizardOnPlan();
        QVERIFY(w->isPlanShown());
        QVERIFY(!w->findChild<QPushButton *>(u"nextButton"_qs)->isEnabled());
        QVERIFY(w->findChild<QLabel *>(u"planSummary"_qs)->text().contains(u"Za mało miejsca"));
        // Every file the write puts down or deletes, none that stays the same.
        QCOMPARE(w->findChild<QTreeWidget *>(u"planList"_qs)->topLevelItemCount(), 4);
        w->next();
        QCOMPARE(TestSupport::treeOf(m_card, true), before);
        QVERIFY(m_boxes.isEmpty());
    }

    void mismatchAfterCopyIsNamed()
    {
        auto w = wizardOnPlan();
        QVERIFY(w->findChild<QPushButton *>(u"nextButton"_qs)->isEnabled());
        w->setBeforeVerify([](const QString &card) {
            QFile file(card + u"/G/0002 B.txt");
            QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(7) && file.write("Y") == 1);
        });
        w->next();
        // The backup of the old card is named with the mismatch.
        const QStringList backups = QDir(m_dir->filePath(u"Backups"_qs)).entryList(QDir::Files);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(m_boxes.requests.size(), 1);
        const QString text = m_boxes.first().text;
        QVERIFY2(text.startsWith(Lang::text(Txt::VerifyMismatch).arg(1).arg(u"G/0002 B.txt"_qs)), qPrintable(text));
        QVERIFY(text.contains(backups.first()));
        QCOMPARE(w->step(), 0);
        QVERIFY(w->findChild<QLabel *>(u"infoLine"_qs)->text() != Lang::text(Txt::WizardWritten));
    }
};

QTEST_MAIN(TestCardWizardCheck)
#include "tst_cardwizardcheck.moc"
