// SPDX-License-Identifier: GPL-3.0-or-later
// The library panel driven as a user drives it: drive list, tree, menus, keys and dialogs.
#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/card/driveprovider.h"
#include "gui/app/messageboxes.h"
#include "gui/card/drivecombo.h"
#include "gui/library/playlistnamedialog.h"
#include "gui/library/newgroupdialog.h"
#include "gui/library/librarypanel.h"
#include "gui/library/issuewindow.h"
#include "gui/library/searchdialog.h"
#include "gui/library/librarytree.h"
#include "gui/library/waitdialog.h"
#include "gui/main/mainwindow.h"
#include "librarytestsupport.h"
#include "testappcore.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace LibraryTest;
using TestSupport::songBytes;
using TestSupport::writeFiles;

namespace {

QStringList treeLines(const QTreeWidget *tree)
{
    QStringList lines;
    for (QTreeWidgetItem *item = tree->topLevelItem(0); item; item = LibraryTree::nextInOrder(item)) {
        int depth = 0;
        for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
            ++depth;
        lines << QString(depth * 2, u' ') + item->text(0);
    }
    return lines;
}

QTreeWidgetItem *findItem(const QTreeWidget *tree, const QString &text)
{
    for (QTreeWidgetItem *item = tree->topLevelItem(0); item; item = LibraryTree::nextInOrder(item)) {
        if (item->text(0) == text)
            return item;
    }
    return nullptr;
}

} // namespace

class TestLibraryPanel : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestAppCore> m_app;
    BoxRecorder m_boxes;
    TestSupport::CardFolders m_cards;

    std::shared_ptr<FakeDriveProvider> m_drives;
    std::unique_ptr<MainWindow> m_frame;
    LibraryPanel *m_panel = nullptr;

    QString newCard() { return m_cards.next(); }

    QString fixtureCard()
    {
        const QString card = newCard();
        writeFiles(card, {u"Maryjne/0001 Zdrowaś.txt"_qs, u"Maryjne/0003 Ave.txt"_qs, u"Maryjne/0012 Ave Maria.txt"_qs,
                          u"Adwent/0010 Rorate.txt"_qs, u"Adwent/0011 Archanioł.txt"_qs, u"screen_dir/0001 Witamy.ekr"_qs});
        writeFiles(card, {u"playlist_dir/0001 Msza.lst"_qs, u"playlist_dir/0002 Inna.lst"_qs}, "#0/\r\n");
        QDir().mkpath(card + u"Pusta");
        return card;
    }

    // A main window with the panel, the fake drive provider offering cards, the start-up poll done.
    void openPanel(const QStringList &cards)
    {
        m_drives = std::make_shared<FakeDriveProvider>();
        QList<DriveEntry> entries;
        for (const QString &card : cards)
            entries << cardEntry(card);
        m_drives->setDrives(entries);
        m_frame = std::make_unique<MainWindow>();
        m_panel = new LibraryPanel(m_frame.get(), m_drives);
        m_frame->setLibraryPanel(m_panel);
        m_panel->initialUpdate();
    }

    LibraryTree *tree() const { return m_panel->tree(); }

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
        WaitDialog::setStartDelay(0);
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
    }

    // The nodes and their order are the node test's (tst_libraryfiles); here the panel shows them.
    void cardAtStartIsReadWithoutQuestionInBothSortModes()
    {
        const QString card = fixtureCard();
        openPanel({card});
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(tree()->isEnabled());
        QCOMPARE(m_panel->root(), card);
        QVERIFY(tree()->topLevelItem(0)->isExpanded());
        QVERIFY(!findItem(tree(), QStringLiteral("Maryjne"))->isExpanded());
        QCOMPARE(treeLines(tree()).mid(0, 4), QStringList({u"Karta pamięci"_qs, u"  Adwent"_qs, u"    0011 Archanioł"_qs,
                                                           u"    0010 Rorate"_qs}));
        QCOMPARE(treeLines(tree()).size(), 14);
        QCOMPARE(m_frame->statusPane(0), QStringLiteral("Karta: ") + card);
        QCOMPARE(QStringList({m_frame->statusPane(1), m_frame->statusPane(2)}), QStringList({u"5"_qs, u"1"_qs}));

        // The sort entries of the root menu carry the check mark of the current mode.
        std::unique_ptr<QMenu> menu(m_panel->createContextMenu(tree()->topLevelItem(0)));
        QAction *byNumber = menu->findChild<QAction *>(QStringLiteral("menuText525"));
        QVERIFY(menu->findChild<QAction *>(QStringLiteral("menuText524"))->isChecked());
        QVERIFY(!byNumber->isChecked());
        byNumber->trigger();
        QCOMPARE(treeLines(tree()).mid(2, 2), QStringList({u"    0010 Rorate"_qs, u"    0011 Archanioł"_qs}));
        menu.reset(m_panel->createContextMenu(tree()->topLevelItem(0)));
        QVERIFY(menu->findChild<QAction *>(QStringLiteral("menuText525"))->isChecked());
        m_panel->setSortMode(TitleCollation::SortMode::ByTitle);

        // The main window's library commands are live once the panel is in place.
        for (Command c : {Command::IssueWindow, Command::FindSong, Command::RefreshFileList, Command::InitialiseCard,
                          Command::OpenFolderAsCard, Command::GroupColours})
            QVERIFY(m_frame->action(c)->isEnabled());
    }

    void ctrlAndShiftSelectionAndTheSongMenu()
    {
        openPanel({fixtureCard()});
        m_panel->expandAll();
        QTreeWidgetItem *ave = findItem(tree(), QStringLiteral("0003 Ave"));
        QTreeWidgetItem *aveMaria = findItem(tree(), QStringLiteral("0012 Ave Maria"));
        QTreeWidgetItem *zdrowas = findItem(tree(), QStringLiteral("0001 Zdrowaś"));
        QTreeWidgetItem *rorate = findItem(tree(), QStringLiteral("0010 Rorate"));
        QTreeWidgetItem *maryjne = findItem(tree(), QStringLiteral("Maryjne"));

        click(ave);
        QCOMPARE(tree()->selectedCount(), 1);
        QCOMPARE(tree()->anchor(), ave);
        click(zdrowas, Qt::ControlModifier);
        QCOMPARE(tree()->markedItems(), QList<QTreeWidgetItem *>({ave, zdrowas}));

        // Two selected: "add to playlist" and "edit" are greyed even with pages listening.
        QObject listener;
        connect(m_panel, &LibraryPanel::openFileRequested, &listener, [] {});
        connect(m_panel, &LibraryPanel::addToPlaylistRequested, &listener, [] {});
        std::unique_ptr<QMenu> menu(m_panel->createContextMenu(zdrowas));
        QVERIFY(!menu->findChild<QAction *>(QStringLiteral("menuText399"))->isEnabled());
        QVERIFY(!menu->findChild<QAction *>(QStringLiteral("menuText401"))->isEnabled());
        QVERIFY(menu->findChild<QAction *>(QStringLiteral("menuText400"))->isEnabled());

        // A right click inside the marks keeps them; outside, it selects the clicked song alone.
        QTest::mouseClick(tree()->viewport(), Qt::RightButton, {}, tree()->visualItemRect(ave).center());
        QCOMPARE(tree()->markedItems(), QList<QTreeWidgetItem *>({ave, zdrowas}));
        QCOMPARE(tree()->currentItem(), ave);
        QTest::mouseClick(tree()->viewport(), Qt::RightButton, {}, tree()->visualItemRect(rorate).center());
        QCOMPARE(tree()->markedItems(), QList<QTreeWidgetItem *>({rorate}));
        click(ave);
        click(zdrowas, Qt::ControlModifier);
        click(zdrowas, Qt::ControlModifier); // toggles off
        QCOMPARE(tree()->markedItems(), QList<QTreeWidgetItem *>({ave}));
        menu.reset(m_panel->createContextMenu(ave));
        QVERIFY(menu->findChild<QAction *>(QStringLiteral("menuText399"))->isEnabled());
        QVERIFY(menu->findChild<QAction *>(QStringLiteral("menuText401"))->isEnabled());

        // Shift marks the run of siblings from the anchor.
        click(zdrowas, Qt::ShiftModifier);
        QCOMPARE(tree()->markedItems(), QList<QTreeWidgetItem *>({ave, aveMaria, zdrowas}));
        QCOMPARE(tree()->currentItem(), ave);
        // Across groups nothing stays marked.
        click(rorate, Qt::ShiftModifier);
        QCOMPARE(tree()->selectedCount(), 0);

        // Ctrl on a group behaves as a plain click; a Ctrl click on a song then starts afresh.
        click(ave);
        click(maryjne, Qt::ControlModifier);
        QCOMPARE(tree()->markedItems(), QList<QTreeWidgetItem *>({maryjne}));
        QVERIFY(tree()->nonFileSelected());
        QVERIFY(!tree()->anchor());
        click(aveMaria, Qt::ControlModifier);
        QCOMPARE(tree()->markedItems(), QList<QTreeWidgetItem *>({aveMaria}));
        QCOMPARE(tree()->anchor(), aveMaria);
        // Shift without an anchor makes the clicked song the anchor.
        click(maryjne);
        click(zdrowas, Qt::ShiftModifier);
        QCOMPARE(tree()->markedItems(), QList<QTreeWidgetItem *>({zdrowas}));
        QCOMPARE(tree()->anchor(), zdrowas);
    }

    void groupsAreDeletedOnlyWhenEmpty()
    {
        const QString card = fixtureCard();
        openPanel({card});
        QTreeWidgetItem *maryjne = findItem(tree(), QStringLiteral("Maryjne"));
        std::unique_ptr<QMenu> menu(m_panel->createContextMenu(maryjne));
        QVERIFY(!menu->findChild<QAction *>(QStringLiteral("menuText397"))->isEnabled());

        // Its files hidden from the tree (they are all deleted behind its back but one): still refused.
        QVERIFY(QFile::remove(card + u"Maryjne/0001 Zdrowaś.txt"));
        const QStringList before = treeLines(tree());
        click(maryjne);
        m_panel->deleteGroup();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::GroupNotEmpty)});
        QCOMPARE(treeLines(tree()), before);
        QVERIFY(QFileInfo(card + u"Maryjne/0003 Ave.txt").exists());

        QTreeWidgetItem *empty = findItem(tree(), QStringLiteral("Pusta"));
        menu.reset(m_panel->createContextMenu(empty));
        QAction *remove = menu->findChild<QAction *>(QStringLiteral("menuText397"));
        QVERIFY(remove->isEnabled());
        click(empty);
        remove->trigger();
        QVERIFY(!findItem(tree(), QStringLiteral("Pusta")));
        QVERIFY(!QFileInfo::exists(card + u"Pusta"));
        QCOMPARE(m_panel->library().groups().size(), 2);
    }

    void deleteRemovesFilesNodesAndCounts()
    {
        const QString card = fixtureCard();
        openPanel({card});
        m_panel->expandAll();
        click(findItem(tree(), QStringLiteral("0003 Ave")));
        click(findItem(tree(), QStringLiteral("0010 Rorate")), Qt::ControlModifier);
        click(findItem(tree(), QStringLiteral("0001 Witamy")), Qt::ControlModifier);

        m_boxes.answer = QMessageBox::No;
        m_panel->deleteSelected();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::DeleteFilesQuestion)});
        QVERIFY(QFileInfo::exists(card + u"Maryjne/0003 Ave.txt"));

        m_boxes.answer = QMessageBox::Yes;
        m_panel->deleteSelected();
        QVERIFY(!QFileInfo::exists(card + u"Maryjne/0003 Ave.txt"));
        QVERIFY(!QFileInfo::exists(card + u"Adwent/0010 Rorate.txt"));
        QVERIFY(!QFileInfo::exists(card + u"screen_dir/0001 Witamy.ekr"));
        QVERIFY(!findItem(tree(), QStringLiteral("0003 Ave")));
        QVERIFY(!findItem(tree(), QStringLiteral("0001 Witamy")));
        QCOMPARE(m_frame->statusPane(1), QStringLiteral("3"));
        QCOMPARE(m_frame->statusPane(2), QStringLiteral("0"));
        QCOMPARE(m_panel->library().groups().at(0).files, QStringList{QStringLiteral("0011 Archanioł")});
        // The deleted anchor is forgotten: Shift starts a new range at the clicked song.
        QVERIFY(!tree()->anchor());
        QTreeWidgetItem *aveMaria = findItem(tree(), QStringLiteral("0012 Ave Maria"));
        click(aveMaria, Qt::ShiftModifier);
        QCOMPARE(tree()->markedItems(), QList<QTreeWidgetItem *>({aveMaria}));

        // A file deleted behind the program's back: the message names it, the node stays.
        m_boxes.clear();
        QTreeWidgetItem *gone = findItem(tree(), QStringLiteral("0011 Archanioł"));
        click(gone);
        QVERIFY(QFile::remove(card + u"Adwent/0011 Archanioł.txt"));
        m_panel->deleteSelected();
        QCOMPARE(m_boxes.texts().last(), Lang::text(Txt::DeleteFileFailed) + QStringLiteral(" 0011 Archanioł.txt"));
        QCOMPARE(findItem(tree(), QStringLiteral("0011 Archanioł")), gone);
    }

    void movingSongsBetweenGroups()
    {
        const QString card = fixtureCard();
        TestSupport::writeFile(card + u"Adwent/0003 Ave.txt", "adwent copy");
        openPanel({card});
        const QString root = m_panel->root();
        const auto info = [this, &root](const QString &text) { return tree()->itemInfo(findItem(tree(), text), root); };
        m_panel->expandAll();
        QTreeWidgetItem *adwentAve = tree()->topLevelItem(0)->child(0)->child(1);
        QCOMPARE(adwentAve->text(0), QStringLiteral("0003 Ave"));
        const LibraryItemInfo dragged = tree()->itemInfo(adwentAve, root);

        // Onto a song of its own group: nothing happens, nothing is asked.
        m_panel->moveSong(dragged, info(QStringLiteral("0010 Rorate")));
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(TestSupport::readFile(card + u"Adwent/0003 Ave.txt"), QByteArray("adwent copy"));

        // Onto a group holding the same name, answered No: both files stay as they were.
        m_boxes.answer = QMessageBox::No;
        m_panel->moveSong(dragged, info(QStringLiteral("0001 Zdrowaś")));
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::MoveReplaceQuestion)});
        QCOMPARE(TestSupport::readFile(card + u"Adwent/0003 Ave.txt"), QByteArray("adwent copy"));
        QCOMPARE(TestSupport::readFile(card + u"Maryjne/0003 Ave.txt"), songBytes());

        m_boxes.answer = QMessageBox::Yes;
        m_panel->moveSong(dragged, info(QStringLiteral("0001 Zdrowaś")));
        QVERIFY(!QFileInfo::exists(card + u"Adwent/0003 Ave.txt"));
        QCOMPARE(TestSupport::readFile(card + u"Maryjne/0003 Ave.txt"), QByteArray("adwent copy"));

        // A group node is a target too.
        m_boxes.clear();
        m_panel->moveSong(info(QStringLiteral("0010 Rorate")), info(QStringLiteral("Pusta")));
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(QFileInfo::exists(card + u"Pusta/0010 Rorate.txt"));
        QVERIFY(findItem(tree(), QStringLiteral("Pusta"))->childCount() == 1);

        // A source deleted behind the program's back gives the missing-file message and changes nothing.
        const LibraryItemInfo stale = info(QStringLiteral("0011 Archanioł"));
        QVERIFY(QFile::remove(card + u"Adwent/0011 Archanioł.txt"));
        m_panel->moveSong(stale, info(QStringLiteral("Pusta")));
        QVERIFY(m_boxes.texts().last().startsWith(Lang::text(Txt::FileMissing)));
        QCOMPARE(QDir(card + u"Pusta").entryList(QDir::Files), QStringList{QStringLiteral("0010 Rorate.txt")});
    }

    void renamingAPlaylist()
    {
        const QString card = fixtureCard();
        TestSupport::writeFile(card + u"playlist_dir/0001 Msza.lst", "#0/\r\nmsza\r\n");
        TestSupport::writeFile(card + u"playlist_dir/0001 Inna.lst", "#0/\r\ninna\r\n");
        openPanel({card});
        m_panel->expandAll();
        click(findItem(tree(), QStringLiteral("0001 Msza")));
        whenShown<PlaylistNameDialog>([](PlaylistNameDialog *dialog) {
            QCOMPARE(dialog->title(), QStringLiteral("Msza"));
            dialog->edit()->setText(QStringLiteral("Inna"));
            dialog->accept();
        });
        m_panel->renamePlaylist();
        QCOMPARE(TestSupport::readFile(card + u"playlist_dir/0001 Msza.lst"), QByteArray("#0/\r\nmsza\r\n"));
        QCOMPARE(TestSupport::readFile(card + u"playlist_dir/0001 Inna.lst"), QByteArray("#0/\r\ninna\r\n"));

        click(findItem(tree(), QStringLiteral("0001 Msza")));
        whenShown<PlaylistNameDialog>([](PlaylistNameDialog *dialog) {
            dialog->edit()->setText(QStringLiteral("Niedziela"));
            dialog->accept();
        });
        m_panel->renamePlaylist();
        QVERIFY(!QFileInfo::exists(card + u"playlist_dir/0001 Msza.lst"));
        QCOMPARE(TestSupport::readFile(card + u"playlist_dir/0001 Niedziela.lst"), QByteArray("#0/\r\nmsza\r\n"));
        QVERIFY(findItem(tree(), QStringLiteral("0001 Niedziela")));
    }

    void searchByTitleThenF3AndByNumber()
    {
        openPanel({fixtureCard()});
        whenShown<SearchDialog>([](SearchDialog *dialog) {
            dialog->textEdit()->setText(QStringLiteral("AVE"));
            dialog->accept();
        });
        tree()->setFocus();
        QTest::keyClick(tree(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("0003 Ave"));
        QVERIFY(tree()->currentItem()->isSelected());
        QCOMPARE(m_panel->search().text, QStringLiteral("ave"));
        QTest::keyClick(tree(), Qt::Key_F3);
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("0012 Ave Maria"));
        QVERIFY(m_boxes.isEmpty());
        QTest::keyClick(tree(), Qt::Key_F3);
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::SearchNotFound)});
        QVERIFY(m_panel->search().text.isEmpty());
        // After a miss F3 opens the dialog again.
        bool opened = false;
        whenShown<SearchDialog>([&opened](SearchDialog *dialog) {
            opened = true;
            dialog->reject();
        });
        QTest::keyClick(tree(), Qt::Key_F3);
        QVERIFY(opened);

        m_boxes.clear();
        m_panel->setSearch(true, QString(), 10);
        QVERIFY(m_panel->findNext());
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("0010 Rorate"));
        m_panel->setSearch(true, QString(), 77);
        QVERIFY(!m_panel->findNext());
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::SearchNumberNotFound)});
    }

    void closingTheWaitDialogStopsTheScan()
    {
        const QString card = newCard();
        QStringList songs;
        for (int g = 1; g <= 20; ++g) {
            for (int n = 1; n <= 50; ++n)
                songs << QStringLiteral("Grupa %1/%2 Pieśń.txt").arg(g, 2, 10, QChar(u'0')).arg(g * 100 + n, 4, 10, QChar(u'0'));
        }
        QVERIFY(writeFiles(card, songs));
        SongLibrary library;
        library.setRoot(card);
        WaitDialog wait;
        // Closed through its close box as soon as the first group is being read.
        QTimer closer;
        closer.setInterval(0);
        connect(&closer, &QTimer::timeout, &wait, [&wait, &closer] {
            if (!wait.findChild<QLabel *>(QStringLiteral("groupLabel"))->text().isEmpty()) {
                closer.stop();
                wait.close();
            }
        });
        closer.start();
        wait.runScan(library, ScanFlags::kFullRefresh);
        QVERIFY(wait.stopRequested());
        QVERIFY(!wait.isVisible());
        QVERIFY(!library.groups().isEmpty());
        QVERIFY(library.groups().size() < 20);
    }

    void keysOfTheTree()
    {
        const QString card = fixtureCard();
        openPanel({card});
        whenShown<NewGroupDialog>([](NewGroupDialog *dialog) {
            dialog->edit()->setText(QStringLiteral("Wielkanoc"));
            dialog->accept();
        });
        tree()->setFocus();
        QTest::keyClick(tree(), Qt::Key_F7);
        QVERIFY(QFileInfo(card + u"Wielkanoc").isDir());
        QVERIFY(findItem(tree(), QStringLiteral("Wielkanoc")));
        // Enter and Escape do nothing in the panel.
        QTest::keyClick(tree(), Qt::Key_Return);
        QTest::keyClick(tree(), Qt::Key_Escape);
        QVERIFY(m_boxes.isEmpty());
    }

    void issueWindowAfterRefreshAndRepair()
    {
        const QString card = fixtureCard();
        TestSupport::writeFile(card + u"playlist_dir/0001 Adwent.lst", "#0/\r\n");
        openPanel({card});
        QTableWidget *list = m_panel->issueWindow()->list();
        QVERIFY(m_panel->issueWindow()->isVisible());
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(list->item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(list->item(0, 1)->text(), Lang::text(Txt::IssueDuplicateNumber));
        QCOMPARE(list->item(0, 2)->text(), QStringLiteral("playlist_dir/0001 Msza"));
        QCOMPARE(list->item(1, 2)->text(), QStringLiteral("playlist_dir/0001 Adwent"));

        m_panel->repairDuplicates(LibraryNaming::ItemKind::Playlist);
        QVERIFY(QFileInfo::exists(card + u"playlist_dir/0003 Adwent.lst"));
        QVERIFY(QFileInfo::exists(card + u"playlist_dir/0001 Msza.lst"));
        QCOMPARE(list->rowCount(), 0);
    }

    void cardInsertedAfterStartUpAsksAndRemovalDisables()
    {
        const QString card = fixtureCard();
        openPanel({});
        QVERIFY(!tree()->isEnabled());
        QCOMPARE(tree()->topLevelItemCount(), 0);
        QCOMPARE(m_frame->statusPane(0), Lang::text(Txt::StatusNoDrive));
        QVERIFY(!m_frame->action(Command::RefreshFileList)->isEnabled());

        m_boxes.answer = QMessageBox::No;
        m_drives->setDrives({cardEntry(card)});
        m_panel->driveList()->refreshDrives();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::CardInsertedQuestion)});
        QCOMPARE(m_boxes.first().defaultButton, QMessageBox::No);
        QVERIFY(tree()->isEnabled());
        QVERIFY(m_frame->pages()->isEnabled());
        QVERIFY(findItem(tree(), QStringLiteral("Maryjne")));

        m_drives->setDrives({});
        m_panel->driveList()->refreshDrives();
        QCOMPARE(tree()->topLevelItemCount(), 0);
        QVERIFY(!tree()->isEnabled());
        QVERIFY(!m_frame->pages()->isEnabled());
        QCOMPARE(m_frame->statusPane(0), Lang::text(Txt::StatusNoDrive));

        // The card goes again while its question is open: nothing is read, the tree stays off.
        m_drives->setDrives({cardEntry(card)});
        m_boxes.whileOpen = [this] {
            m_drives->setDrives({});
            m_panel->driveList()->refreshDrives();
        };
        m_panel->driveList()->refreshDrives();
        QCOMPARE(m_boxes.texts().last(), Lang::text(Txt::CardInsertedQuestion));
        QCOMPARE(tree()->topLevelItemCount(), 0);
        QVERIFY(!tree()->isEnabled());
        QVERIFY(m_panel->root().isEmpty());
    }

    void folderCardDeletedWhileShown()
    {
        const QString card = fixtureCard();
        openPanel({});
        QVERIFY(m_panel->addCardFolder(card));
        m_panel->driveList()->refreshDrives();
        QVERIFY(findItem(tree(), QStringLiteral("Maryjne")));
        QCOMPARE(m_panel->driveList()->currentText(), QStringLiteral("card%1 ").arg(m_cards.count()) + card);
        QVERIFY(QDir(card).removeRecursively());
        m_panel->driveList()->refreshDrives();
        QCOMPARE(tree()->topLevelItemCount(), 0);
        QVERIFY(m_panel->root().isEmpty());
    }

    void switchingCardsRereadsTheChosenOne()
    {
        const QString first = fixtureCard();
        const QString second = newCard();
        writeFiles(second, {u"Inne/0042 Druga.txt"_qs});
        openPanel({first, second});
        m_boxes.clear();
        m_panel->driveList()->setCurrentIndex(1);
        QCOMPARE(m_panel->root(), second);
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::CardInsertedQuestion)});
        QVERIFY(findItem(tree(), QStringLiteral("Inne")));
        // The list keeps the chosen card by its root when the order of the cards changes.
        m_drives->setDrives({cardEntry(second, QStringLiteral("B")), cardEntry(first)});
        m_panel->driveList()->refreshDrives();
        QCOMPARE(m_panel->driveList()->drivePath(), second);
        QCOMPARE(m_panel->driveList()->currentIndex(), 0);
        QCOMPARE(m_boxes.texts().size(), 1);
    }

};

LUMIVOX_TEST_MAIN_GUI(TestLibraryPanel)
#include "tst_librarypanel.moc"
