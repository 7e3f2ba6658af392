// SPDX-License-Identifier: GPL-3.0-or-later
// The library panel where a slip would cost data or strand the user: marks, deletion, card
// switches, folders that are no cards, the issue window, the tree's place, keys and limits.
#include "core/app/language.h"
#include "core/card/driveprovider.h"
#include "gui/card/drivecombo.h"
#include "gui/editor/ledmatrix.h"
#include "gui/library/groupcoloursdialog.h"
#include "gui/library/groupeditdialog.h"
#include "gui/library/issuewindow.h"
#include "gui/library/libraryactions.h"
#include "gui/library/librarypanel.h"
#include "gui/library/librarytree.h"
#include "gui/library/newgroupdialog.h"
#include "gui/library/playlistnamedialog.h"
#include "gui/library/searchdialog.h"
#include "gui/library/waitdialog.h"
#include "gui/main/mainwindow.h"
#include "librarytestsupport.h"
#include "testappcore.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QtTest>

using namespace LibraryTest;

namespace {

QTreeWidgetItem *findItem(const QTreeWidget *tree, const QString &text)
{
    for (QTreeWidgetItem *item = tree->topLevelItem(0); item; item = LibraryTree::nextInOrder(item)) {
        if (item->text(0) == text)
            return item;
    }
    return nullptr;
}

QStringList texts(const QList<QTreeWidgetItem *> &items)
{
    QStringList result;
    for (const QTreeWidgetItem *item : items)
        result << item->text(0);
    return result;
}

QStringList listing(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

} // namespace

class TestLibrarySafety : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestAppCore> m_app;
    BoxRecorder m_boxes;
    TestSupport::CardFolders m_cards;
    std::shared_ptr<FakeDriveProvider> m_drives;
    std::unique_ptr<MainWindow> m_frame;
    LibraryPanel *m_panel = nullptr;

    QString fixtureCard()
    {
        const QString card = m_cards.next();
        for (const char *name : {"Maryjne/0001 Zdrowaś.txt", "Maryjne/0003 Ave.txt", "Maryjne/0012 Ave Maria.txt",
                                 "Adwent/0010 Rorate.txt", "Adwent/0011 Archanioł.txt", "Adwent/0012 Duplikat.txt",
                                 "screen_dir/0001 Witamy.ekr"})
            TestSupport::writeFile(card + QString::fromUtf8(name), TestSupport::songBytes());
        TestSupport::writeFile(card + u"playlist_dir/0001 Msza.lst", "#0/\r\n");
        return card;
    }

    void openPanel(const QList<DriveEntry> &entries)
    {
        m_drives = std::make_shared<FakeDriveProvider>();
        m_drives->setDrives(entries);
        m_frame = std::make_unique<MainWindow>();
        m_panel = new LibraryPanel(m_frame.get(), m_drives);
        m_frame->setLibraryPanel(m_panel);
        m_panel->initialUpdate();
    }
    void openPanel(const QString &card) { openPanel(QList<DriveEntry>{cardEntry(card)}); }

    LibraryTree *tree() const { return m_panel->tree(); }
    QTreeWidgetItem *item(const char *text) const { return findItem(tree(), QString::fromUtf8(text)); }
    void click(QTreeWidgetItem *item, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, modifiers, tree()->visualItemRect(item).center());
    }

private slots:
    void initTestCase()
    {
        m_app = std::make_unique<TestAppCore>();
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
        WaitDialog::setShowDelay(0);
        m_boxes.install();
    }

    void init()
    {
        m_boxes.clear();
        m_boxes.whileOpen = {};
        m_boxes.answer = QMessageBox::Yes;
    }

    void cleanup()
    {
        m_frame.reset();
        m_panel = nullptr;
        WaitDialog::setShowDelay(0);
    }

    void keysMarkOnlySongsAndSlidesOfOneParent_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("marked"); // "|" between the names
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;
        QTest::newRow("Ctrl+A on a song: its group's songs")
            << "0003 Ave" << int(Qt::Key_A) << ctrl << 1
            << "0003 Ave|0012 Ave Maria|0001 Zdrowaś";
        QTest::newRow("Ctrl+A on the root: nothing more") << "Karta pamięci" << int(Qt::Key_A) << ctrl << 1
                                                          << "Karta pamięci";
        QTest::newRow("Ctrl+A on a playlist: nothing more") << "0001 Msza" << int(Qt::Key_A) << ctrl << 1
                                                            << "0001 Msza";
        QTest::newRow("Shift+Down stops at the group's end")
            << "0012 Ave Maria" << int(Qt::Key_Down) << shift << 4 << "0012 Ave Maria|0001 Zdrowaś";
        QTest::newRow("Shift+Up stops at the group's start")
            << "0010 Rorate" << int(Qt::Key_Up) << shift << 4 << "0011 Archanioł|0012 Duplikat|0010 Rorate";
        QTest::newRow("Shift+End stays in the group")
            << "0003 Ave" << int(Qt::Key_End) << shift << 1
            << "0003 Ave|0012 Ave Maria|0001 Zdrowaś";
        QTest::newRow("Shift+Down from a group marks no group") << "Maryjne" << int(Qt::Key_Down) << shift << 1
                                                               << "0003 Ave";
        QTest::newRow("Ctrl+Space on a group node alone") << "Maryjne" << int(Qt::Key_Space) << ctrl << 1
                                                          << "Maryjne";
    }

    void keysMarkOnlySongsAndSlidesOfOneParent()
    {
        QFETCH(QString, start);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, presses);
        QFETCH(QString, marked);
        openPanel(fixtureCard());
        m_panel->actions()->expandAll();
        click(findItem(tree(), start));
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(tree(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(texts(tree()->markedItems()).join(u'|'), marked);
    }

    void deleteKeyAsksNamingTheFilesWithNoAsDefault()
    {
        const QString card = fixtureCard();
        openPanel(card);
        m_panel->actions()->expandAll();
        click(item("0003 Ave"));
        QTest::keyClick(tree(), Qt::Key_A, Qt::ControlModifier);
        m_boxes.answer = QMessageBox::No;
        QTest::keyClick(tree(), Qt::Key_Delete);
        QCOMPARE(m_boxes.requests.size(), 1);
        QCOMPARE(m_boxes.first().defaultButton, QMessageBox::No);
        QCOMPARE(m_boxes.first().text, Lang::text(Txt::DeleteFilesQuestion)
                                           + QStringLiteral(" (3)\n\n0003 Ave\n0012 Ave Maria\n0001 Zdrowaś"));
        QCOMPARE(listing(card + u"Maryjne").size(), 3);

        // The card goes while the question is open: Yes then deletes nothing.
        m_boxes.clear();
        m_boxes.answer = QMessageBox::Yes;
        m_boxes.whileOpen = [this] {
            m_drives->setDrives({});
            m_panel->driveList()->refreshDrives();
        };
        QTest::keyClick(tree(), Qt::Key_Delete);
        QCOMPARE(m_boxes.requests.size(), 1);
        QCOMPARE(listing(card + u"Maryjne").size(), 3);
        QVERIFY(m_panel->root().isEmpty());
    }

    void folderThatIsNotACardIsOpenedOnlyWhenAgreed_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("No") << int(QMessageBox::No);
        QTest::newRow("Yes") << int(QMessageBox::Yes);
    }

    void folderThatIsNotACardIsOpenedOnlyWhenAgreed()
    {
        QFETCH(int, answer);
        openPanel(QList<DriveEntry>{});
        const QString folder = m_cards.next();
        TestSupport::writeFile(folder + u"readme.txt", "x");
        QDir().mkpath(folder + u"photos");
        const QStringList before = listing(folder);
        m_boxes.answer = QMessageBox::StandardButton(answer);
        m_panel->actions()->openCardFolder(folder);
        QCOMPARE(m_boxes.first().text, Lang::text(Txt::NotACardQuestion).arg(folder));
        QCOMPARE(m_boxes.first().defaultButton, QMessageBox::No);
        if (answer == QMessageBox::No) {
            QCOMPARE(listing(folder), before);
            QCOMPARE(m_panel->driveList()->count(), 0);
            QVERIFY(m_panel->root().isEmpty());
        } else {
            QCOMPARE(m_panel->root(), folder);
            QVERIFY(QFileInfo(folder + u"screen_dir").isDir());
        }

        // A file is no folder, and says so.
        m_boxes.clear();
        m_panel->actions()->openCardFolder(folder + u"readme.txt");
        QCOMPARE(m_boxes.requests.size(), 1);
        QCOMPARE(m_boxes.first().icon, QMessageBox::Critical);
        QVERIFY(m_boxes.first().text.contains(u"readme.txt"));
    }

    void issueWindowFollowsADeleteAndFindsItsFiles()
    {
        const QString card = fixtureCard();
        openPanel(card);
        QTableWidget *rows = m_panel->issueWindow()->list();
        int songRow = 0;
        while (songRow < rows->rowCount() && !rows->item(songRow, 2)->text().contains(u'/'))
            ++songRow;
        QVERIFY(songRow < rows->rowCount());
        const QString named = rows->item(songRow, 2)->text(); // a song of number 12, "group/file"
        emit rows->cellDoubleClicked(songRow, 2);
        QCOMPARE(tree()->currentItem()->text(0), named.section(u'/', 1));
        QCOMPARE(tree()->currentItem()->parent()->text(0), named.section(u'/', 0, 0));

        // With one of the two files of number 12 gone, number 12 is no longer an issue.
        click(item("0012 Duplikat"));
        QTest::keyClick(tree(), Qt::Key_Delete);
        for (int r = 0; r < rows->rowCount(); ++r)
            QVERIFY(!rows->item(r, 2)->text().contains(u"0012"));
        QCOMPARE(rows->isHidden(), rows->rowCount() == 0);
        QCOMPARE(m_panel->issueWindow()->findChild<QLabel *>(QStringLiteral("emptyText"))->isHidden(),
                 rows->rowCount() > 0);
    }

    void treeKeepsItsPlaceAfterRenameNewGroupAndSort()
    {
        const QString card = fixtureCard();
        openPanel(card);
        item("Maryjne")->setExpanded(true);
        item("Listy utworów")->setExpanded(true);
        click(item("0001 Msza"));
        whenShown<PlaylistNameDialog>([](PlaylistNameDialog *dialog) {
            dialog->edit()->setText(QStringLiteral("Niedziela"));
            dialog->accept();
        });
        QTest::keyClick(tree(), Qt::Key_F2);
        QVERIFY(QFileInfo::exists(card + u"playlist_dir/0001 Niedziela.lst"));
        QVERIFY(item("Maryjne")->isExpanded());
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("0001 Niedziela"));
        QVERIFY(tree()->currentItem()->isSelected());

        whenShown<NewGroupDialog>([](NewGroupDialog *dialog) {
            dialog->edit()->setText(QStringLiteral("Wielkanoc"));
            dialog->accept();
        });
        QTest::keyClick(tree(), Qt::Key_F7);
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("Wielkanoc"));
        QVERIFY(item("Maryjne")->isExpanded());
        QVERIFY(item("Listy utworów")->isExpanded());

        click(item("0012 Ave Maria"));
        m_panel->actions()->setSortMode(TitleCollation::SortMode::ByNumber);
        QVERIFY(item("Maryjne")->isExpanded());
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("0012 Ave Maria"));
        m_panel->actions()->setSortMode(TitleCollation::SortMode::ByTitle);
    }

    void altKeysBelongToTheMenusNotToTheMatrix()
    {
        MainWindow frame;
        auto *matrix = new LedMatrix;
        matrix->setReadOnly(false);
        frame.pages()->addWidget(matrix);
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        matrix->setFocus();
        // Ctrl+Alt is AltGr: it types (AltGr+L is "ł" on the Polish layout).
        QTest::sendKeyEvent(QTest::Click, matrix, Qt::Key_L, QStringLiteral("ł"), Qt::ControlModifier | Qt::AltModifier);
        const QString typed = QStringLiteral("ł") + QString(199, u' ');
        QCOMPARE(matrix->text(), typed);
        QTest::keyClick(matrix, Qt::Key_F, Qt::AltModifier);
        QCOMPARE(matrix->text(), typed);
        QTest::keyClick(matrix, Qt::Key_P, Qt::AltModifier); // "&Plik"
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->title(), Lang::text(Txt::MenuFile));
        menu->close();
        QCOMPARE(matrix->text(), typed);
    }

    void groupDialogsKeepTheirLimits()
    {
        SongGroupList groups(SongGroup::kMaxGroups, SongGroup{});
        bool saveAnswer = false;
        GroupColoursDialog full(groups, {}, [&saveAnswer] { return saveAnswer; });
        auto *add = full.findChild<QPushButton *>(QStringLiteral("addButton"));
        QVERIFY(!add->isEnabled());
        QCOMPARE(add->toolTip(), Lang::text(Txt::GroupLimitReached).arg(32));
        full.accept(); // the save failed: the dialog stays open
        QCOMPARE(full.result(), int(QDialog::Rejected));

        SongGroupList none;
        GroupColoursDialog empty(none, {}, {});
        QVERIFY(!empty.findChild<QPushButton *>(QStringLiteral("deleteButton"))->isEnabled());

        GroupEditDialog edit(SongGroup{QStringLiteral("Kolędy"), SongGroup::kWhite, 1, 1}, {});
        auto *from = edit.findChild<QLineEdit *>(QStringLiteral("fromEdit"));
        from->clear();
        QTest::keyClicks(from, QStringLiteral("70000"));
        QCOMPARE(from->text(), QStringLiteral("7000"));
        edit.accept();
        QCOMPARE(edit.group().firstNumber, 4999);
    }

    void searchByNumberTakesTheTypedDigits()
    {
        SearchDialog dialog{QString()};
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.numberRadio()->click();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12"));
        QCOMPARE(dialog.numberEdit()->text(), QStringLiteral("12"));
    }

    void firstStartShowsTheWayToACard()
    {
        openPanel(QList<DriveEntry>{});
        auto *emptyState = m_panel->findChild<QWidget *>(QStringLiteral("emptyState"));
        QVERIFY(emptyState->isVisibleTo(m_panel));
        m_panel->findChild<QPushButton *>(QStringLiteral("openDemoButton"))->click();
        const QString copy = m_app->core().dirs().dataDir + QStringLiteral("demo-card/");
        QCOMPARE(m_panel->root(), copy);
        QVERIFY(!emptyState->isVisibleTo(m_panel));
        QVERIFY(item("Kolędy"));

        // A write-protected card's entry takes its prefix from the language table; every entry
        // shows its whole text as a tooltip.
        DriveEntry locked = cardEntry(m_cards.next(), QStringLiteral("LOCKED"));
        locked.readOnly = true;
        m_drives->setDrives({locked});
        m_panel->driveList()->refreshDrives();
        const QString text = m_panel->driveList()->itemText(0);
        QCOMPARE(text, Lang::text(Txt::ProtectPrefix) + QStringLiteral(" LOCKED ") + locked.rootPath);
        QCOMPARE(m_panel->driveList()->itemData(0, Qt::ToolTipRole).toString(), text);
    }
};

QTEST_MAIN(TestLibrarySafety)
#include "tst_librarysafety.moc"
