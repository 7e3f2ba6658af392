// SPDX-License-Identifier: GPL-3.0-or-later
// The library's dialogs and its drive list on their own: name checks, search, group colours,
// the issue window.
#include "core/app/language.h"
#include "core/model/loadissue.h"
#include "gui/app/messageboxes.h"
#include "gui/card/drivecombo.h"
#include "gui/library/playlistnamedialog.h"
#include "gui/library/groupeditdialog.h"
#include "gui/library/newgroupdialog.h"
#include "gui/library/issuewindow.h"
#include "gui/library/searchdialog.h"
#include "gui/library/groupcoloursdialog.h"
#include "librarytestsupport.h"
#include "testappcore.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace LibraryTest;

class TestLibraryDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestAppCore> m_app;
    BoxRecorder m_boxes;
    TestSupport::CardFolders m_cards;

    QString newCard() { return m_cards.next(); }

private slots:
    void initTestCase()
    {
        m_app = std::make_unique<TestAppCore>();
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
        m_boxes.install();
    }

    void init() { m_boxes.clear(); }

    void issueWindowOrderAndBands()
    {
        IssueWindow window;
        IssueList issues;
        issues.append(100, IssueCode::DuplicateNumber, QStringLiteral("G/0100 b"), IssueFileType::Song);
        issues.append(7, IssueCode::NumberOutOfRange, QStringLiteral("screen_dir/0007 s"), IssueFileType::Slide);
        issues.append(100, IssueCode::DuplicateNumber, QStringLiteral("G/0100 a"), IssueFileType::Song);
        issues.append(20, IssueCode::MissingEntry, QStringLiteral("0020 p"), IssueFileType::Playlist);
        window.fill(issues);
        QTableWidget *list = window.list();
        QStringList numbers;
        QList<QColor> bands;
        for (int row = 0; row < list->rowCount(); ++row) {
            numbers << list->item(row, 0)->text();
            bands << list->item(row, 2)->background().color();
        }
        QCOMPARE(numbers, QStringList({QStringLiteral("7"), QStringLiteral("20"), QStringLiteral("100"), QStringLiteral("100")}));
        QCOMPARE(bands, QList<QColor>({IssueWindow::kYellow, IssueWindow::kGreen, IssueWindow::kYellow,
                                       IssueWindow::kYellow}));
        QCOMPARE(list->item(2, 2)->text(), QStringLiteral("G/0100 b"));
        QCOMPARE(list->item(1, 1)->text(), Lang::text(Txt::IssueMissingEntry));
    }


    void driveListNotifiesOnTheEdges()
    {
        auto provider = std::make_shared<FakeDriveProvider>();
        DriveCombo combo;
        combo.setProvider(provider);
        QSignalSpy inserted(&combo, &DriveCombo::cardInserted);
        QSignalSpy removed(&combo, &DriveCombo::cardRemoved);
        DriveEntry noMedium = cardEntry(QStringLiteral("/media/READER/"));
        noMedium.fileSystem.clear();
        DriveEntry a = cardEntry(QStringLiteral("/media/A/"), QStringLiteral("A"));
        DriveEntry b = cardEntry(QStringLiteral("/media/B/"), QStringLiteral("B"));
        b.readOnly = true;

        provider->setDrives({noMedium});
        combo.refreshDrives();
        QCOMPARE(combo.count(), 0);
        QVERIFY(!combo.isEnabled());
        QCOMPARE(combo.drivePath(), QString());
        provider->setDrives({noMedium, a});
        combo.refreshDrives();
        QCOMPARE(inserted.size(), 1);
        QVERIFY(combo.isEnabled());
        provider->setDrives({a, b});
        combo.refreshDrives();
        QCOMPARE(combo.itemText(1), QStringLiteral("PROTECT B /media/B/"));
        QCOMPARE(inserted.size(), 1);
        provider->setDrives({b});
        combo.refreshDrives();
        QCOMPARE(removed.size(), 0);
        QCOMPARE(combo.drivePath(), QStringLiteral("/media/B/"));
        QCOMPARE(combo.fileSystem(), QStringLiteral("FAT32"));
        provider->setDrives({});
        combo.refreshDrives();
        QCOMPARE(removed.size(), 1);
        combo.refreshDrives();
        QCOMPARE(removed.size(), 1);

        combo.enablePolling(true);
        QVERIFY(combo.isPolling());
        provider->setDrives({a});
        QTRY_COMPARE_WITH_TIMEOUT(inserted.size(), 2, 2000);
        combo.enablePolling(false);
        QVERIFY(!combo.isEnabled());
    }


    void addGroupChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QString() << Lang::text(Txt::GroupNameLabel);
        QTest::newRow("reserved") << QStringLiteral("EKRANY") << Lang::text(Txt::GroupReservedName);
        QTest::newRow("every forbidden character") << QStringLiteral(".\\/:*?\"<>|")
                                                   << Lang::text(Txt::GroupForbiddenCharacter) + QStringLiteral("\t\\ / : * ? < > \" |");
        QTest::newRow("31 characters") << QString(31, u'a') << Lang::text(Txt::GroupNameTooLong);
        QTest::newRow("existing in another case") << QStringLiteral("Kolędy") << Lang::text(Txt::GroupExists);
        QTest::newRow("accepted") << QStringLiteral("Wielki Post") << QString();
    }


    void addGroupChecks()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        const QString base = newCard();
        QDir().mkpath(base + u"kolędy");
        NewGroupDialog dialog(base);
        dialog.edit()->setText(name);
        dialog.accept();
        if (message.isEmpty()) {
            QVERIFY(m_boxes.isEmpty());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            return;
        }
        QCOMPARE(m_boxes.texts(), QStringList{message});
        QVERIFY(dialog.result() != QDialog::Accepted);
        QCOMPARE(dialog.edit()->selectedText(), name);
    }


    void playlistRenameChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("31 characters") << QString(31, u'x') << Lang::text(Txt::PlaylistNameTooLong);
        QTest::newRow("empty") << QString() << Lang::text(Txt::PlaylistNameEmpty);
        QTest::newRow("full stop") << QStringLiteral("Msza 1.0")
                                   << Lang::text(Txt::PlaylistForbiddenCharacter) + QStringLiteral("\t\\ / : * ? < > \" |");
        QTest::newRow("30 characters") << QString(30, u'x') << QString();
    }


    void playlistRenameChecks()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        // Prefilled, as a title already on the card: a longer one is shown whole and refused.
        PlaylistNameDialog dialog(name);
        dialog.accept();
        QCOMPARE(m_boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(dialog.result() == QDialog::Accepted, message.isEmpty());
    }


    void findDialogNeedsText()
    {
        SearchDialog dialog{QString()};
        QVERIFY(!dialog.numberEdit()->isEnabled());
        dialog.accept();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::SearchEmpty)});
        dialog.numberRadio()->setChecked(true);
        QVERIFY(dialog.numberEdit()->isEnabled());
        QVERIFY(!dialog.textEdit()->isEnabled());
        dialog.numberEdit()->setText(QStringLiteral("12"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.byNumber());
        QCOMPARE(dialog.number(), 12);
    }


    void groupColourDialogs()
    {
        SongGroupList groups = {SongGroup{QStringLiteral("Adwent"), 0xFF8080, 1, 50},
                                SongGroup{QStringLiteral("Inna"), 0x80FF80, 60, 70}};
        int saves = 0;
        {
            GroupColoursDialog dialog(groups, {QStringLiteral("Adwent"), QStringLiteral("Kolędy")}, [&saves] { return ++saves > 0; });
            QCOMPARE(dialog.list()->topLevelItemCount(), 2);
            QCOMPARE(dialog.list()->topLevelItem(0)->background(1).color(), QColor(0xFF, 0x80, 0x80));
            QCOMPARE(dialog.list()->topLevelItem(1)->text(1), QStringLiteral("60"));
            dialog.list()->setCurrentItem(dialog.list()->topLevelItem(0));
            dialog.deleteSelected();
            dialog.reject();
        }
        // Cancel keeps the deletion in memory, unsaved.
        QCOMPARE(groups.size(), 1);
        QCOMPARE(saves, 0);

        {
            GroupColoursDialog dialog(groups, {QStringLiteral("Adwent"), QStringLiteral("Kolędy")}, [&saves] { return ++saves > 0; });
            whenShown<GroupEditDialog>([](GroupEditDialog *entry) {
                QVERIFY(entry->manualRadio()->isChecked());
                QVERIFY(!entry->nameList()->isEnabled());
                QCOMPARE(entry->fromEdit()->text(), QStringLiteral("1"));
                entry->accept(); // no name yet: refused, stays open
                entry->fromListRadio()->setChecked(true);
                entry->nameList()->setCurrentIndex(1);
                entry->fromEdit()->setText(QStringLiteral("100"));
                entry->toEdit()->setText(QStringLiteral("50"));
                entry->setColour(0x123456);
                entry->accept();
            });
            dialog.addGroup();
            QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::ColourGroupNoName)});
            QCOMPARE(groups.size(), 2);
            QCOMPARE(groups.last(), (SongGroup{QStringLiteral("Kolędy"), 0x123456, 100, 50}));
            // Double-click editing opens the entry with its own values.
            whenShown<GroupEditDialog>([](GroupEditDialog *entry) {
                QVERIFY(entry->fromListRadio()->isChecked());
                QCOMPARE(entry->nameList()->currentText(), QStringLiteral("Kolędy"));
                entry->toEdit()->setText(QStringLiteral("150"));
                entry->accept();
            });
            dialog.editGroup(1);
            QCOMPARE(groups.last().lastNumber, 150);
            dialog.accept();
        }
        QCOMPARE(saves, 1);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestLibraryDialogs)
#include "tst_librarydialogs.moc"
