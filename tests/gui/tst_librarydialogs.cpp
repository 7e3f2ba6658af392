// SPDX-License-Identifier: GPL-3.0-or-later
// The library's dialogs and its drive list on their own: name checks, search, group colours,
// the issue window.
#include "core/app/language.h"
#include "gui/app/messageboxes.h"
#include "gui/widgets/drivecombo.h"
#include "gui/widgets/playlistnamedialog.h"
#include "gui/library/groupeditdialog.h"
#include "gui/widgets/newgroupdialog.h"
#include "gui/library/searchdialog.h"
#include "gui/library/groupcoloursdialog.h"
#include "librarytestsupport.h"
#include "testappcore.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>

using namespace LibraryTest;

class TestLibraryDialogs : public PanelTest
{
    Q_OBJECT

    QString newCard() { return m_cards.next(); }

private slots:
    void initTestCase() { setUpPanelTests(); }

    void init() { m_boxes.clear(); }

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

        // The counts of insertions and removals after each poll.
        const auto offer = [&](const QList<DriveEntry> &drives) {
            provider->setDrives(drives);
            combo.refreshDrives();
            return QList<qsizetype>({inserted.size(), removed.size()});
        };
        QCOMPARE(offer({noMedium}), QList<qsizetype>({0, 0}));
        QVERIFY(!combo.isEnabled());
        QCOMPARE(combo.drivePath(), QString());
        QCOMPARE(offer({noMedium, a}), QList<qsizetype>({1, 0}));
        QVERIFY(combo.isEnabled());
        QCOMPARE(offer({a, b}), QList<qsizetype>({1, 0}));
        QCOMPARE(offer({b}), QList<qsizetype>({1, 0}));
        QCOMPARE(combo.drivePath() + u' ' + combo.fileSystem(), QStringLiteral("/media/B/ FAT32"));
        QCOMPARE(offer({}), QList<qsizetype>({1, 1}));
        QCOMPARE(offer({}), QList<qsizetype>({1, 1}));

        combo.enablePolling(true);
        QVERIFY(combo.isPolling());
        provider->setDrives({a});
        QTRY_COMPARE_WITH_TIMEOUT(inserted.size(), 2, 2000);
        combo.enablePolling(false);
        QVERIFY(!combo.isEnabled());
    }

    // The name rules are LibraryNaming's (tst_librarynaming); here the dialogs apply them.
    void nameDialogsRefuseAndKeepTheText()
    {
        const QString base = newCard();
        QDir().mkpath(base + u"kolędy");
        NewGroupDialog group(base);
        seamed(&group);
        group.edit()->setText(QStringLiteral("Kolędy"));
        group.accept();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::GroupExists)});
        QVERIFY(group.result() != QDialog::Accepted);
        QCOMPARE(group.edit()->selectedText(), QStringLiteral("Kolędy"));
        group.edit()->setText(QStringLiteral("Wielki Post"));
        group.accept();
        QCOMPARE(group.result(), int(QDialog::Accepted));

        m_boxes.clear();
        PlaylistNameDialog playlist(QStringLiteral("Stara"));
        seamed(&playlist);
        playlist.edit()->setText(QStringLiteral("Msza 1.0"));
        playlist.accept();
        QCOMPARE(m_boxes.texts(),
                 QStringList{Lang::text(Txt::PlaylistForbiddenCharacter) + u"\t\\ / : * ? < > \" |"_qs});
        QVERIFY(playlist.result() != QDialog::Accepted);
        playlist.edit()->setText(QString(30, u'x'));
        playlist.accept();
        QCOMPARE(playlist.result(), int(QDialog::Accepted));
        QCOMPARE(m_boxes.texts().size(), 1);
    }

    void findDialogNeedsText()
    {
        SearchDialog dialog{QString()};
        seamed(&dialog);
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
            GroupColoursDialog dialog(groups, {QStringLiteral("Adwent"), QStringLiteral("Kolędy")},
                                      [&saves] { return ++saves > 0; });
            seamed(&dialog);
            QCOMPARE(dialog.list()->topLevelItemCount(), 2);
            QCOMPARE(dialog.list()->topLevelItem(0)->background(1).color(), QColor(0xFF, 0x80, 0x80));
            QCOMPARE(dialog.list()->topLevelItem(1)->text(1), QStringLiteral("60"));
            dialog.list()->setCurrentItem(dialog.list()->topLevelItem(0));
            dialog.deleteSelected();
            QCOMPARE(groups.size(), 1);
            dialog.reject();
        }
        // Cancel gives the list back as it was, and saves nothing.
        QCOMPARE(groups.size(), 2);
        QCOMPARE(groups.first().name, QStringLiteral("Adwent"));
        QCOMPARE(saves, 0);
        groups.removeFirst();

        {
            GroupColoursDialog dialog(groups, {QStringLiteral("Adwent"), QStringLiteral("Kolędy")},
                                      [&saves] { return ++saves > 0; });
            seamed(&dialog);
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
