// SPDX-License-Identifier: GPL-3.0-or-later
// The library panel driven as a user drives it: drive list, tree, menus, keys and dialogs. What
// the file commands do on disk is tst_libraryfiles'; here the panel asks, reports and updates.
#include "core/app/language.h"
#include "gui/card/drivecombo.h"
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

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QTableWidget>

using namespace LibraryTest;
using TestSupport::readFile;
using TestSupport::writeFiles;

using Items = QList<QTreeWidgetItem *>;

class TestLibraryPanel : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestAppCore> m_app;
    BoxRecorder m_boxes;
    TestSupport::CardFolders m_cards;
    QString m_card;

    std::shared_ptr<FakeDriveProvider> m_drives;
    std::unique_ptr<MainWindow> m_frame;
    LibraryPanel *m_panel = nullptr;
    std::unique_ptr<QMenu> m_menu;

    QString fixtureCard()
    {
        m_card = m_cards.next();
        writeFiles(m_card, {u"Maryjne/0001 Zdrowaś.txt"_qs, u"Maryjne/0003 Ave.txt"_qs, u"Maryjne/0012 Ave Maria.txt"_qs,
                            u"Adwent/0010 Rorate.txt"_qs, u"Adwent/0011 Archanioł.txt"_qs, u"screen_dir/0001 Witamy.ekr"_qs});
        writeFiles(m_card, {u"playlist_dir/0001 Msza.lst"_qs, u"playlist_dir/0002 Inna.lst"_qs}, "#0/\r\n");
        QDir().mkpath(m_card + u"Pusta");
        return m_card;
    }
    bool exists(const QString &relative) const { return QFileInfo::exists(m_card + relative); }

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
    void offer(const QList<DriveEntry> &drives)
    {
        m_drives->setDrives(drives);
        m_panel->driveList()->refreshDrives();
    }

    LibraryTree *tree() const { return m_panel->tree(); }

    // Every line of the tree, indented by depth.
    QStringList treeLines() const
    {
        QStringList lines;
        for (QTreeWidgetItem *item = tree()->topLevelItem(0); item; item = LibraryTree::nextInOrder(item)) {
            int depth = 0;
            for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
                ++depth;
            lines << QString(depth * 2, u' ') + item->text(0);
        }
        return lines;
    }
    QTreeWidgetItem *item(const QString &text) const
    {
        for (QTreeWidgetItem *item = tree()->topLevelItem(0); item; item = LibraryTree::nextInOrder(item)) {
            if (item->text(0) == text)
                return item;
        }
        return nullptr;
    }
    void click(QTreeWidgetItem *item, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, modifiers, tree()->visualItemRect(item).center());
    }
    // The entry of the context menu of item that shows the language text textId.
    QAction *menuEntry(QTreeWidgetItem *item, int textId)
    {
        m_menu.reset(m_panel->actions()->createContextMenu(item));
        return m_menu->findChild<QAction *>(u"menuText"_qs + QString::number(textId));
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
        m_menu.reset();
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
        QVERIFY(!item(QStringLiteral("Maryjne"))->isExpanded());
        QCOMPARE(treeLines().mid(0, 4),
                 QStringList({u"Karta pamięci"_qs, u"  Adwent"_qs, u"    0011 Archanioł"_qs, u"    0010 Rorate"_qs}));
        QCOMPARE(treeLines().size(), 14);
        QCOMPARE(QStringList({m_frame->statusPane(0), m_frame->statusPane(1), m_frame->statusPane(2)}),
                 QStringList({u"Karta: "_qs + card, u"5"_qs, u"1"_qs}));

        // The sort entries of the root menu carry the check mark of the current mode.
        QVERIFY(menuEntry(tree()->topLevelItem(0), 524)->isChecked());
        QAction *byNumber = menuEntry(tree()->topLevelItem(0), 525);
        QVERIFY(!byNumber->isChecked());
        byNumber->trigger();
        QCOMPARE(treeLines().mid(2, 2), QStringList({u"    0010 Rorate"_qs, u"    0011 Archanioł"_qs}));
        QVERIFY(menuEntry(tree()->topLevelItem(0), 525)->isChecked());
        m_panel->actions()->setSortMode(TitleCollation::SortMode::ByTitle);

        // The main window's library commands are live once the panel is in place.
        for (Command c : {Command::IssueWindow, Command::FindSong, Command::RefreshFileList, Command::InitialiseCard,
                          Command::OpenFolderAsCard, Command::GroupColours})
            QVERIFY(m_frame->action(c)->isEnabled());
    }

    void ctrlAndShiftSelectionAndTheSongMenu()
    {
        openPanel({fixtureCard()});
        m_panel->actions()->expandAll();
        QTreeWidgetItem *ave = item(QStringLiteral("0003 Ave"));
        QTreeWidgetItem *aveMaria = item(QStringLiteral("0012 Ave Maria"));
        QTreeWidgetItem *zdrowas = item(QStringLiteral("0001 Zdrowaś"));
        QTreeWidgetItem *rorate = item(QStringLiteral("0010 Rorate"));
        QTreeWidgetItem *maryjne = item(QStringLiteral("Maryjne"));

        click(ave);
        QCOMPARE(tree()->anchor(), ave);
        click(zdrowas, Qt::ControlModifier);
        QCOMPARE(tree()->markedItems(), Items({ave, zdrowas}));

        // Two selected: "add to playlist" and "edit" are greyed even with pages listening.
        QObject listener;
        connect(m_panel->actions(), &LibraryActions::openSongRequested, &listener, [] {});
        connect(m_panel->actions(), &LibraryActions::addToPlaylistRequested, &listener, [] {});
        QVERIFY(!menuEntry(zdrowas, 399)->isEnabled());
        QVERIFY(!menuEntry(zdrowas, 401)->isEnabled());
        QVERIFY(menuEntry(zdrowas, 400)->isEnabled());

        // A right click inside the marks keeps them; outside, it selects the clicked song alone.
        QTest::mouseClick(tree()->viewport(), Qt::RightButton, {}, tree()->visualItemRect(ave).center());
        QCOMPARE(tree()->markedItems(), Items({ave, zdrowas}));
        QCOMPARE(tree()->currentItem(), ave);
        QTest::mouseClick(tree()->viewport(), Qt::RightButton, {}, tree()->visualItemRect(rorate).center());
        QCOMPARE(tree()->markedItems(), Items({rorate}));
        click(ave);
        click(zdrowas, Qt::ControlModifier);
        click(zdrowas, Qt::ControlModifier); // toggles off
        QCOMPARE(tree()->markedItems(), Items({ave}));
        QVERIFY(menuEntry(ave, 399)->isEnabled());
        QVERIFY(menuEntry(ave, 401)->isEnabled());

        // Shift marks the run of siblings from the anchor; across groups nothing stays marked.
        click(zdrowas, Qt::ShiftModifier);
        QCOMPARE(tree()->markedItems(), Items({ave, aveMaria, zdrowas}));
        QCOMPARE(tree()->currentItem(), ave);
        click(rorate, Qt::ShiftModifier);
        QCOMPARE(tree()->selectedCount(), 0);

        // Ctrl on a group behaves as a plain click; a Ctrl click on a song then starts afresh.
        click(ave);
        click(maryjne, Qt::ControlModifier);
        QCOMPARE(tree()->markedItems(), Items({maryjne}));
        QVERIFY(tree()->nonFileSelected());
        QVERIFY(!tree()->anchor());
        click(aveMaria, Qt::ControlModifier);
        QCOMPARE(tree()->markedItems(), Items({aveMaria}));
        QCOMPARE(tree()->anchor(), aveMaria);
        // Shift without an anchor makes the clicked song the anchor.
        click(maryjne);
        click(zdrowas, Qt::ShiftModifier);
        QCOMPARE(tree()->markedItems(), Items({zdrowas}));
        QCOMPARE(tree()->anchor(), zdrowas);
    }

    void groupsAreDeletedOnlyWhenEmpty()
    {
        openPanel({fixtureCard()});
        QTreeWidgetItem *maryjne = item(QStringLiteral("Maryjne"));
        QVERIFY(!menuEntry(maryjne, 397)->isEnabled());

        // Its files hidden from the tree (they are all deleted behind its back but one): still refused.
        QVERIFY(QFile::remove(m_card + u"Maryjne/0001 Zdrowaś.txt"));
        const QStringList before = treeLines();
        click(maryjne);
        m_panel->actions()->deleteGroup();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::GroupNotEmpty)});
        QCOMPARE(treeLines(), before);

        QAction *remove = menuEntry(item(QStringLiteral("Pusta")), 397);
        QVERIFY(remove->isEnabled());
        click(item(QStringLiteral("Pusta")));
        remove->trigger();
        QVERIFY(!item(QStringLiteral("Pusta")));
        QVERIFY(!exists(u"Pusta"_qs));
        QCOMPARE(m_panel->library().groups().size(), 2);
    }

    void deleteRemovesFilesNodesAndCounts()
    {
        openPanel({fixtureCard()});
        m_panel->actions()->expandAll();
        click(item(QStringLiteral("0003 Ave")));
        click(item(QStringLiteral("0010 Rorate")), Qt::ControlModifier);
        click(item(QStringLiteral("0001 Witamy")), Qt::ControlModifier);

        m_boxes.answer = QMessageBox::No;
        m_panel->actions()->deleteSelected();
        QCOMPARE(m_boxes.requests.size(), 1);
        QVERIFY(m_boxes.first().text.startsWith(Lang::text(Txt::DeleteFilesQuestion)));
        QVERIFY(exists(u"Maryjne/0003 Ave.txt"_qs));

        m_boxes.answer = QMessageBox::Yes;
        m_panel->actions()->deleteSelected();
        for (const QString &file : {u"Maryjne/0003 Ave.txt"_qs, u"Adwent/0010 Rorate.txt"_qs, u"screen_dir/0001 Witamy.ekr"_qs})
            QVERIFY(!exists(file));
        QVERIFY(!item(QStringLiteral("0003 Ave")) && !item(QStringLiteral("0001 Witamy")));
        QCOMPARE(QStringList({m_frame->statusPane(1), m_frame->statusPane(2)}), QStringList({u"3"_qs, u"0"_qs}));
        QCOMPARE(m_panel->library().groups().at(0).files, QStringList{QStringLiteral("0011 Archanioł")});
        // The deleted anchor is forgotten: Shift starts a new range at the clicked song.
        QVERIFY(!tree()->anchor());
        click(item(QStringLiteral("0012 Ave Maria")), Qt::ShiftModifier);
        QCOMPARE(tree()->markedItems(), Items({item(QStringLiteral("0012 Ave Maria"))}));

        // A file deleted behind the program's back: the message names it, the node stays.
        QTreeWidgetItem *gone = item(QStringLiteral("0011 Archanioł"));
        click(gone);
        QVERIFY(QFile::remove(m_card + u"Adwent/0011 Archanioł.txt"));
        m_panel->actions()->deleteSelected();
        QCOMPARE(m_boxes.texts().last(), Lang::text(Txt::DeleteFileFailed) + QStringLiteral(" 0011 Archanioł.txt"));
        QCOMPARE(item(QStringLiteral("0011 Archanioł")), gone);
    }

    void movingSongsBetweenGroups()
    {
        const QString card = fixtureCard();
        writeFiles(card, {u"Adwent/0003 Ave.txt"_qs}, "adwent copy");
        openPanel({card});
        const auto info = [this](const QString &text) { return tree()->itemInfo(item(text), m_panel->root()); };
        m_panel->actions()->expandAll();
        QTreeWidgetItem *adwentAve = tree()->topLevelItem(0)->child(0)->child(1);
        QCOMPARE(adwentAve->text(0), QStringLiteral("0003 Ave"));
        const LibraryItemInfo dragged = tree()->itemInfo(adwentAve, m_panel->root());

        // Onto a song of its own group: nothing happens, nothing is asked.
        m_panel->actions()->moveSong(dragged, info(QStringLiteral("0010 Rorate")));
        QVERIFY(m_boxes.isEmpty());
        // Onto a group holding the same name: asked, and No keeps both files.
        m_boxes.answer = QMessageBox::No;
        m_panel->actions()->moveSong(dragged, info(QStringLiteral("0001 Zdrowaś")));
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::MoveReplaceQuestion)});
        QCOMPARE(readFile(card + u"Adwent/0003 Ave.txt"), QByteArray("adwent copy"));
        m_boxes.answer = QMessageBox::Yes;
        m_panel->actions()->moveSong(dragged, info(QStringLiteral("0001 Zdrowaś")));
        QVERIFY(!exists(u"Adwent/0003 Ave.txt"_qs));
        QCOMPARE(readFile(card + u"Maryjne/0003 Ave.txt"), QByteArray("adwent copy"));

        // A group node is a target too.
        m_boxes.clear();
        m_panel->actions()->moveSong(info(QStringLiteral("0010 Rorate")), info(QStringLiteral("Pusta")));
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(item(QStringLiteral("Pusta"))->childCount(), 1);

        // A source deleted behind the program's back gives the missing-file message and changes nothing.
        const LibraryItemInfo stale = info(QStringLiteral("0011 Archanioł"));
        QVERIFY(QFile::remove(card + u"Adwent/0011 Archanioł.txt"));
        m_panel->actions()->moveSong(stale, info(QStringLiteral("Pusta")));
        QVERIFY(m_boxes.texts().last().startsWith(Lang::text(Txt::FileMissing)));
        QCOMPARE(QDir(card + u"Pusta").entryList(QDir::Files), QStringList{QStringLiteral("0010 Rorate.txt")});
    }

    void renamingAPlaylist()
    {
        const QString card = fixtureCard();
        writeFiles(card, {u"playlist_dir/0001 Inna.lst"_qs}, "#0/\r\ninna\r\n");
        openPanel({card});
        m_panel->actions()->expandAll();
        // Onto a name that is taken: nothing changes.
        for (const QString &name : {u"Inna"_qs, u"Niedziela"_qs}) {
            click(item(QStringLiteral("0001 Msza")));
            whenShown<PlaylistNameDialog>([name](PlaylistNameDialog *dialog) {
                QCOMPARE(dialog->title(), QStringLiteral("Msza"));
                dialog->edit()->setText(name);
                dialog->accept();
            });
            m_panel->actions()->renamePlaylist();
        }
        QVERIFY(!exists(u"playlist_dir/0001 Msza.lst"_qs));
        QCOMPARE(readFile(card + u"playlist_dir/0001 Inna.lst"), QByteArray("#0/\r\ninna\r\n"));
        QCOMPARE(readFile(card + u"playlist_dir/0001 Niedziela.lst"), QByteArray("#0/\r\n"));
        QVERIFY(item(QStringLiteral("0001 Niedziela")));
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
        QCOMPARE(m_panel->actions()->search().text, QStringLiteral("ave"));
        QTest::keyClick(tree(), Qt::Key_F3);
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("0012 Ave Maria"));
        QVERIFY(m_boxes.isEmpty());
        QTest::keyClick(tree(), Qt::Key_F3);
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::SearchNoFurther)});
        QVERIFY(m_panel->actions()->search().text.isEmpty());
        // After a miss F3 opens the dialog again.
        bool opened = false;
        whenShown<SearchDialog>([&opened](SearchDialog *dialog) {
            opened = true;
            dialog->reject();
        });
        QTest::keyClick(tree(), Qt::Key_F3);
        QVERIFY(opened);

        m_boxes.clear();
        m_panel->actions()->setSearch(true, QString(), 10);
        QVERIFY(m_panel->actions()->findNext());
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("0010 Rorate"));
        m_panel->actions()->setSearch(true, QString(), 77);
        QVERIFY(!m_panel->actions()->findNext());
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::SearchNumberNotFound)});
    }

    // A slow card: the scan starts at once, the dialog shows after its delay, and its close box stops it.
    void closingTheWaitDialogStopsTheScan()
    {
        const QString card = m_cards.next();
        QStringList songs;
        for (int n = 0; n < 1000; ++n)
            songs << QStringLiteral("Grupa %1/%2 Pieśń.txt").arg(n / 50 + 1, 2, 10, QChar(u'0')).arg(n, 4, 10, QChar(u'0'));
        QVERIFY(writeFiles(card, songs));
        SongLibrary library;
        WaitDialog wait;
        WaitDialog::setShowDelay(20);
        WaitDialog::setFileDelay(1000);
        QStringList seenWhenShown;
        QTimer closer;
        closer.setInterval(0);
        connect(&closer, &QTimer::timeout, &wait, [&] {
            if (!wait.isVisible())
                return;
            closer.stop();
            seenWhenShown << library.root() << wait.findChild<QLabel *>(QStringLiteral("groupLabel"))->text();
            wait.close();
        });
        closer.start();
        const WaitDialog::Outcome outcome = wait.runScan(library, card, ScanFlags::kFullRefresh);
        WaitDialog::setShowDelay(0);
        WaitDialog::setFileDelay(0);
        QCOMPARE(outcome, WaitDialog::Outcome::Stopped);
        // The scan was under way when the dialog appeared, and stopped before the next file.
        QCOMPARE(seenWhenShown, QStringList({card, u"Grupa 01"_qs}));
        QVERIFY(wait.stopRequested());
        QVERIFY(!wait.isVisible());
        QCOMPARE(library.groups().size(), 1);
        QVERIFY(library.groups().first().files.size() < 50);
    }

    void keysOfTheTree()
    {
        openPanel({fixtureCard()});
        whenShown<NewGroupDialog>([](NewGroupDialog *dialog) {
            dialog->edit()->setText(QStringLiteral("Wielkanoc"));
            dialog->accept();
        });
        tree()->setFocus();
        QTest::keyClick(tree(), Qt::Key_F7);
        QVERIFY(QFileInfo(m_card + u"Wielkanoc").isDir());
        QVERIFY(item(QStringLiteral("Wielkanoc")));
        // Enter and Escape do nothing in the panel.
        QTest::keyClick(tree(), Qt::Key_Return);
        QTest::keyClick(tree(), Qt::Key_Escape);
        QVERIFY(m_boxes.isEmpty());
    }

    void issueWindowAfterRefreshAndRepair()
    {
        const QString card = fixtureCard();
        writeFiles(card, {u"playlist_dir/0001 Adwent.lst"_qs}, "#0/\r\n");
        openPanel({card});
        QTableWidget *list = m_panel->issueWindow()->list();
        QVERIFY(m_panel->issueWindow()->isVisible());
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(list->item(0, 1)->text(), Lang::text(Txt::IssueDuplicateNumber));
        QCOMPARE(list->item(1, 2)->text(), QStringLiteral("playlist_dir/0001 Adwent"));
        m_panel->actions()->repairDuplicates(LibraryNaming::ItemKind::Playlist);
        QVERIFY(exists(u"playlist_dir/0003 Adwent.lst"_qs));
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
        offer({cardEntry(card)});
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::CardInsertedQuestion)});
        QCOMPARE(m_boxes.first().defaultButton, QMessageBox::No);
        QVERIFY(tree()->isEnabled() && m_frame->pages()->isEnabled());
        QVERIFY(item(QStringLiteral("Maryjne")));

        offer({});
        QCOMPARE(tree()->topLevelItemCount(), 0);
        QVERIFY(!tree()->isEnabled() && !m_frame->pages()->isEnabled());
        QCOMPARE(m_frame->statusPane(0), Lang::text(Txt::StatusNoDrive));

        // The card goes again while its question is open: nothing is read, the tree stays off.
        m_drives->setDrives({cardEntry(card)});
        m_boxes.whileOpen = [this] { offer({}); };
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
        QVERIFY(item(QStringLiteral("Maryjne")));
        QCOMPARE(m_panel->driveList()->currentText(), QStringLiteral("card%1 ").arg(m_cards.count()) + card);
        QVERIFY(QDir(card).removeRecursively());
        m_panel->driveList()->refreshDrives();
        QCOMPARE(tree()->topLevelItemCount(), 0);
        QVERIFY(m_panel->root().isEmpty());
    }

    void switchingCardsRereadsTheChosenOne()
    {
        const QString first = fixtureCard();
        const QString second = m_cards.next();
        writeFiles(second, {u"Inne/0042 Druga.txt"_qs});
        openPanel({first, second});
        m_boxes.clear();
        m_panel->driveList()->setCurrentIndex(1);
        QCOMPARE(m_panel->root(), second);
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::CardInsertedQuestion)});
        QVERIFY(item(QStringLiteral("Inne")));
        // The list keeps the chosen card by its root when the order of the cards changes.
        offer({cardEntry(second, QStringLiteral("B")), cardEntry(first)});
        QCOMPARE(m_panel->driveList()->drivePath(), second);
        QCOMPARE(m_panel->driveList()->currentIndex(), 0);
        QCOMPARE(m_boxes.texts().size(), 1);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestLibraryPanel)
#include "tst_librarypanel.moc"
