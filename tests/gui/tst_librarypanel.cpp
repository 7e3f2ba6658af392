// SPDX-License-Identifier: GPL-3.0-or-later
// The library panel driven as a user drives it: drive list, tree, menus, keys and dialogs, above
// all where a slip would cost data or strand the user. What the file commands do on disk is
// tst_library's; here the panel asks, reports and updates.
#include "gui/editor/ledmatrix.h"
#include "gui/library/groupcoloursdialog.h"
#include "gui/library/groupeditdialog.h"
#include "gui/library/issuewindow.h"
#include "gui/library/libraryactions.h"
#include "gui/widgets/newgroupdialog.h"
#include "gui/widgets/playlistnamedialog.h"
#include "gui/library/searchdialog.h"
#include "gui/library/waitdialog.h"
#include "librarytestsupport.h"
#include "tablerows.h"

#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>

using namespace LibraryTest;
using TestSupport::readFile;
using TestSupport::writeFiles;

using Items = QList<QTreeWidgetItem *>;

namespace {

QStringList texts(const Items &items)
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

class TestLibraryPanel : public PanelTest
{
    Q_OBJECT

    QString m_card;
    std::unique_ptr<QMenu> m_menu;

    QString fixtureCard()
    {
        m_card = m_cards.next();
        writeFiles(m_card,
                   {u"Maryjne/0001 Zdrowaś.txt"_qs, u"Maryjne/0003 Ave.txt"_qs, u"Maryjne/0012 Ave Maria.txt"_qs,
                    u"Adwent/0010 Rorate.txt"_qs, u"Adwent/0011 Archanioł.txt"_qs, u"Adwent/0012 Duplikat.txt"_qs,
                    u"screen_dir/0001 Witamy.ekr"_qs});
        writeFiles(m_card, {u"playlist_dir/0001 Msza.lst"_qs, u"playlist_dir/0002 Inna.lst"_qs}, "#0/\r\n");
        QDir().mkpath(m_card + u"Pusta");
        return m_card;
    }
    bool exists(const QString &relative) const { return QFileInfo::exists(m_card + relative); }
    void openPanel(const QStringList &cards)
    {
        QList<DriveEntry> entries;
        for (const QString &card : cards)
            entries << cardEntry(card);
        PanelTest::openPanel(entries);
    }

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
    // The entry of the context menu of item that shows the language text textId.
    QAction *menuEntry(QTreeWidgetItem *item, int textId)
    {
        m_menu.reset(m_panel->actions()->createContextMenu(item));
        return m_menu->findChild<QAction *>(u"menuText"_qs + QString::number(textId));
    }

private slots:
    void initTestCase() { setUpPanelTests(); }

    void init() { m_boxes = {}; }

    void cleanup()
    {
        m_menu.reset();
        m_frame.reset();
        m_panel = nullptr;
        // Every test starts with a new user's computer library.
        QDir(m_app->core().settings().lyricsDir()).removeRecursively();
    }

    // The nodes and their order are the node test's (tst_library); here the panel shows them.
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
                 QStringList({u"Karta pamięci"_qs, u"  Adwent"_qs, u"    0011 Archanioł"_qs, u"    0012 Duplikat"_qs}));
        QCOMPARE(treeLines().size(), 15);
        QCOMPARE(QStringList({m_frame->statusPane(0), m_frame->statusPane(1), m_frame->statusPane(2)}),
                 QStringList({u"Karta: "_qs + card, u"6"_qs, u"1"_qs}));

        // The sort entries of the root menu carry the check mark of the current mode.
        QVERIFY(menuEntry(tree()->topLevelItem(0), 524)->isChecked());
        QAction *byNumber = menuEntry(tree()->topLevelItem(0), 525);
        QVERIFY(!byNumber->isChecked());
        byNumber->trigger();
        QCOMPARE(treeLines().mid(2, 2), QStringList({u"    0010 Rorate"_qs, u"    0011 Archanioł"_qs}));
        QVERIFY(menuEntry(tree()->topLevelItem(0), 525)->isChecked());
        m_panel->actions()->setSortMode(TitleCollation::SortMode::ByTitle);
        // The main window's library commands are live once the panel is in place.
        QVERIFY(m_frame->action(Command::RefreshFileList)->isEnabled());
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

        // Two selected: "add to playlist" and "edit" are greyed.
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
    }

    void keysMarkOnlySongsAndSlidesOfOneParent_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("marked");
        for (const QStringList &row : TestSupport::tableRows(u"librarypanel/keymarks.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << QKeySequence(row[2])[0] << row[3].toInt() << row[4];
    }
    void keysMarkOnlySongsAndSlidesOfOneParent()
    {
        QFETCH(QString, start);
        QFETCH(QKeyCombination, key);
        QFETCH(int, presses);
        openPanel({fixtureCard()});
        m_panel->actions()->expandAll();
        click(item(start));
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(tree(), key.key(), key.keyboardModifiers());
        QTEST(texts(tree()->markedItems()).join(u'|'), "marked");
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
        QCOMPARE(m_panel->workspace().library().groups().size(), 2);
    }

    void deleteKeyAsksNamingTheFilesWithNoAsDefault()
    {
        const QString card = fixtureCard();
        openPanel({card});
        m_panel->actions()->expandAll();
        click(item(u"0003 Ave"_qs));
        QTest::keyClick(tree(), Qt::Key_A, Qt::ControlModifier);
        m_boxes.answer = QMessageBox::No;
        QTest::keyClick(tree(), Qt::Key_Delete);
        QCOMPARE(m_boxes.requests.size(), 1);
        QCOMPARE(m_boxes.first().defaultButton, QMessageBox::No);
        QCOMPARE(m_boxes.first().text,
                 Lang::text(Txt::DeleteFilesQuestion)
                     + QStringLiteral(" (3)\n\n0003 Ave\n0012 Ave Maria\n0001 Zdrowaś"));
        QCOMPARE(listing(card + u"Maryjne").size(), 3);

        // The card goes while the question is open: Yes then deletes nothing, and the list has
        // turned to the computer's library.
        m_boxes.clear();
        m_boxes.answer = QMessageBox::Yes;
        m_boxes.whileOpen = [this] { offer({}); };
        QTest::keyClick(tree(), Qt::Key_Delete);
        QVERIFY(m_boxes.first().text.startsWith(Lang::text(Txt::DeleteFilesQuestion)));
        QCOMPARE(listing(card + u"Maryjne").size(), 3);
        QCOMPARE(m_panel->root(), m_panel->computerRoot());
    }

    void deleteRemovesFilesNodesAndCounts()
    {
        openPanel({fixtureCard()});
        m_panel->actions()->expandAll();
        click(item(QStringLiteral("0003 Ave")));
        click(item(QStringLiteral("0010 Rorate")), Qt::ControlModifier);
        click(item(QStringLiteral("0001 Witamy")), Qt::ControlModifier);
        m_panel->actions()->deleteSelected();
        QVERIFY(m_boxes.first().text.startsWith(Lang::text(Txt::DeleteFilesQuestion)));
        for (const QString &file :
             {u"Maryjne/0003 Ave.txt"_qs, u"Adwent/0010 Rorate.txt"_qs, u"screen_dir/0001 Witamy.ekr"_qs})
            QVERIFY(!exists(file));
        QVERIFY(!item(QStringLiteral("0003 Ave")) && !item(QStringLiteral("0001 Witamy")));
        QCOMPARE(QStringList({m_frame->statusPane(1), m_frame->statusPane(2)}), QStringList({u"4"_qs, u"0"_qs}));
        QCOMPARE(m_panel->workspace().library().groups().at(0).files,
                 QStringList({u"0011 Archanioł"_qs, u"0012 Duplikat"_qs}));
        QVERIFY(!m_panel->workspace().library().numbers(ItemKind::Song).isUsed(10));
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

    // F2 onto a taken name changes nothing; a rename, F7 and a new sort keep the open groups and
    // the current node; Enter and Escape do nothing in the panel.
    void renameNewGroupAndSortKeepTheTreesPlace()
    {
        const QString card = fixtureCard();
        writeFiles(card, {u"playlist_dir/0001 Inna.lst"_qs}, "#0/\r\ninna\r\n");
        openPanel({card});
        item(u"Maryjne"_qs)->setExpanded(true);
        item(u"Listy utworów"_qs)->setExpanded(true);
        // A name another playlist has is refused with a word, and the dialog asks again.
        click(item(u"0001 Msza"_qs));
        whenShown<PlaylistNameDialog>([](PlaylistNameDialog *dialog) {
            QCOMPARE(dialog->title(), QStringLiteral("Msza"));
            dialog->edit()->setText(u"Inna"_qs);
            dialog->accept();
            whenShown<PlaylistNameDialog>([](PlaylistNameDialog *again) {
                again->edit()->setText(u"Niedziela"_qs);
                again->accept();
            });
        });
        QTest::keyClick(tree(), Qt::Key_F2);
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::PlaylistNameTaken).arg(u"Inna"_qs)});
        m_boxes.clear();
        QVERIFY(!exists(u"playlist_dir/0001 Msza.lst"_qs));
        QCOMPARE(readFile(card + u"playlist_dir/0001 Inna.lst"), QByteArray("#0/\r\ninna\r\n"));
        QCOMPARE(readFile(card + u"playlist_dir/0001 Niedziela.lst"), QByteArray("#0/\r\n"));
        QVERIFY(item(u"Maryjne"_qs)->isExpanded());
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("0001 Niedziela"));
        QVERIFY(tree()->currentItem()->isSelected());

        whenShown<NewGroupDialog>([](NewGroupDialog *dialog) {
            dialog->edit()->setText(QStringLiteral("Wielkanoc"));
            dialog->accept();
        });
        QTest::keyClick(tree(), Qt::Key_F7);
        QVERIFY(QFileInfo(card + u"Wielkanoc").isDir());
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("Wielkanoc"));
        QVERIFY(item(u"Maryjne"_qs)->isExpanded());
        QVERIFY(item(u"Listy utworów"_qs)->isExpanded());
        QTest::keyClick(tree(), Qt::Key_Return);
        QTest::keyClick(tree(), Qt::Key_Escape);

        click(item(u"0012 Ave Maria"_qs));
        m_panel->actions()->setSortMode(TitleCollation::SortMode::ByNumber);
        QVERIFY(item(u"Maryjne"_qs)->isExpanded());
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("0012 Ave Maria"));
        m_panel->actions()->setSortMode(TitleCollation::SortMode::ByTitle);
        QVERIFY(m_boxes.isEmpty());
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
        // After a miss F3 opens the dialog again; its number field takes the typed digits.
        whenShown<SearchDialog>([](SearchDialog *dialog) {
            dialog->numberRadio()->click();
            if (QWidget *typing = dialog->focusWidget())
                QTest::keyClicks(typing, QStringLiteral("10"));
            dialog->accept();
        });
        QTest::keyClick(tree(), Qt::Key_F3);
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("0010 Rorate"));

        m_boxes.clear();
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
            songs << QStringLiteral("Grupa %1/%2 Pieśń.txt")
                         .arg(n / 50 + 1, 2, 10, QChar(u'0'))
                         .arg(n, 4, 10, QChar(u'0'));
        QVERIFY(writeFiles(card, songs));
        SongLibrary library;
        WaitDialog wait;
        UiSeams &seams = seamed(&wait);
        seams.waitShowDelay = 20;
        seams.waitFileDelay = 1000;
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
        const WaitDialog::Outcome outcome = wait.runScan(library, card, kFullRefreshScan);
        QCOMPARE(outcome, WaitDialog::Outcome::Stopped);
        // The scan was under way when the dialog appeared, and stopped before the next file.
        QCOMPARE(seenWhenShown, QStringList({card, u"Grupa 01"_qs}));
        QVERIFY(wait.stopRequested());
        QVERIFY(!wait.isVisible());
        QCOMPARE(library.groups().size(), 1);
        QVERIFY(library.groups().first().files.size() < 50);
    }

    // Both issues of the card listed; a double click finds the song's node; a delete and a
    // repair each take their rows away until the window says there is nothing.
    void issueWindowFollowsTheCard()
    {
        const QString card = fixtureCard();
        writeFiles(card, {u"playlist_dir/0001 Adwent.lst"_qs}, "#0/\r\n");
        openPanel({card});
        QVERIFY(m_panel->issueWindow()->isVisible());
        QTableWidget *rows = m_panel->issueWindow()->list();
        QStringList names;
        for (int r = 0; r < rows->rowCount(); ++r)
            names << rows->item(r, 2)->text();
        QCOMPARE(names,
                 QStringList({u"playlist_dir/0001 Msza"_qs, u"playlist_dir/0001 Adwent"_qs,
                              u"Maryjne/0012 Ave Maria"_qs, u"Adwent/0012 Duplikat"_qs}));
        QCOMPARE(rows->item(2, 1)->text(), Lang::text(Txt::IssueDuplicateNumber));
        emit rows->cellDoubleClicked(2, 2);
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("0012 Ave Maria"));
        QCOMPARE(tree()->currentItem()->parent()->text(0), QStringLiteral("Maryjne"));

        click(item(u"0012 Duplikat"_qs));
        QTest::keyClick(tree(), Qt::Key_Delete);
        QCOMPARE(rows->rowCount(), 2);
        m_panel->actions()->repairDuplicates(LibraryNaming::ItemKind::Playlist);
        QVERIFY(exists(u"playlist_dir/0003 Adwent.lst"_qs));
        QCOMPARE(rows->rowCount(), 0);
        QVERIFY(rows->isHidden());
        QVERIFY(!m_panel->issueWindow()->findChild<QLabel *>(QStringLiteral("emptyText"))->isHidden());
    }

    // A rescan that finds only the issues already listed (after a save, a new song without
    // trouble) leaves the window where the user put it; a file newly in trouble brings it forward.
    void issueWindowComesForwardForNewIssuesOnly()
    {
        const QString card = fixtureCard();
        openPanel({card});
        IssueWindow *window = m_panel->issueWindow();
        QVERIFY(window->isVisible());
        window->hide();
        writeFiles(card, {u"Adwent/0020 Nowa.txt"_qs});
        m_panel->refreshLibrary(false);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->list()->rowCount(), 2);
        writeFiles(card, {u"Maryjne/0020 Druga.txt"_qs});
        m_panel->refreshLibrary(false);
        QVERIFY(window->isVisible());
        QCOMPARE(window->list()->rowCount(), 4);
    }

    // A double-click on any row selects its file, the issues the reader finds in a song or
    // playlist during a full refresh as well as those of the scan itself.
    void issueRowsOpenTheirFiles()
    {
        m_card = m_cards.next();
        QVERIFY(TestSupport::copyTree(TestSupport::testData(u"library/issuecard"_qs), m_card));
        openPanel({m_card});
        m_panel->refreshLibrary(true);
        QTableWidget *rows = m_panel->issueWindow()->list();
        QSet<QString> codes;
        for (int r = 0; r < rows->rowCount(); ++r) {
            const QString text = rows->item(r, 1)->text();
            // A file in the root of a card with folders is not in the tree.
            if (text == Lang::text(Txt::IssueOutsideGroups))
                continue;
            codes << text;
            tree()->setCurrentItem(tree()->topLevelItem(0));
            emit rows->cellDoubleClicked(r, 0);
            const QTreeWidgetItem *current = tree()->currentItem();
            const QString shown = rows->item(r, 2)->text();
            QCOMPARE(current->text(0), shown.section(u'/', 1));
            if (!shown.startsWith(u"screen_dir/") && !shown.startsWith(u"playlist_dir/"))
                QCOMPARE(current->parent()->text(0), shown.section(u'/', 0, 0));
        }
        QCOMPARE(codes.size(), 8);
    }

    // A folder name that is not UTF-8 is listed escaped; the Rename button offers it read in the
    // card's old code pages, and the reading chosen and confirmed is the folder's new name.
    void issueWindowRenamesANameThatIsNotUtf8()
    {
        const QString card = m_cards.next();
        QVERIFY(TestSupport::writeRawFile(card,
                                          "Kol\xea"
                                          "dy/0002 B.txt",
                                          TestSupport::songBytes()));
        openPanel({card});
        QTableWidget *rows = m_panel->issueWindow()->list();
        auto *rename = m_panel->issueWindow()->findChild<QPushButton *>(u"renameButton"_qs);
        QCOMPARE(rows->rowCount(), 1);
        QCOMPARE(rows->item(0, 2)->text(), u"Kol\\xEAdy"_qs);
        rows->setCurrentCell(0, 2);
        QStringList offered;
        QTimer::singleShot(0, this, [&offered] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            for (const QAction *action : menu->actions())
                offered << action->text();
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::mouseClick(rename, Qt::LeftButton);
        QCOMPARE(offered, QStringList{Lang::text(Txt::IssueRenameAs).arg(u"Kolędy"_qs, u"windows-1250"_qs)});
        QCOMPARE(m_boxes.texts(),
                 QStringList{Lang::text(Txt::IssueRenameQuestion).arg(u"Kol\\xEAdy"_qs, u"Kolędy"_qs)});
        QCOMPARE(item(u"Kolędy"_qs)->child(0)->text(0), u"0002 B"_qs);
        QCOMPARE(rows->rowCount(), 0);
    }

    void cardInsertedAfterStartUpAsksAndRemovalShowsTheComputersLibrary()
    {
        const QString card = fixtureCard();
        openPanel(QStringList{});
        const QString computer = m_panel->computerRoot();
        const QString computerStatus = Lang::text(Txt::ComputerLibrary) + u": " + computer;
        // Without a card the computer's library is shown, made with its card folders.
        QCOMPARE(m_panel->root(), computer);
        QCOMPARE(tree()->topLevelItem(0)->text(0), Lang::text(Txt::ComputerLibrary));
        QVERIFY(QFileInfo(computer + u"screen_dir").isDir() && QFileInfo(computer + u"playlist_dir").isDir());
        QVERIFY(m_frame->pages()->isEnabled());
        QCOMPARE(m_frame->statusPane(0), computerStatus);
        QVERIFY(m_frame->action(Command::RefreshFileList)->isEnabled());

        m_boxes.answer = QMessageBox::No;
        offer({cardEntry(card)});
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::CardInsertedQuestion)});
        QCOMPARE(m_boxes.first().defaultButton, QMessageBox::No);
        QCOMPARE(m_panel->root(), card);
        QVERIFY(tree()->isEnabled() && m_frame->pages()->isEnabled());
        QVERIFY(item(QStringLiteral("Maryjne")));

        // The card shown goes: the list turns to the computer's library and says so.
        m_boxes.clear();
        offer({});
        QTRY_COMPARE(m_boxes.requests.size(), 1);
        QCOMPARE(m_boxes.first().text,
                 Lang::text(Txt::ShownLibraryGone).arg(u"CARD "_qs + card, Lang::text(Txt::ComputerLibrary), computer));
        QCOMPARE(m_panel->root(), computer);
        QVERIFY(!item(QStringLiteral("Maryjne")));
        QVERIFY(tree()->isEnabled() && m_frame->pages()->isEnabled());
        QCOMPARE(m_frame->statusPane(0), computerStatus);

        // The card goes again while its question is open: nothing of it is read.
        m_boxes.clear();
        m_drives->setDrives({cardEntry(card)});
        m_boxes.whileOpen = [this] { offer({}); };
        m_panel->driveList()->refreshDrives();
        QCOMPARE(m_boxes.texts().first(), Lang::text(Txt::CardInsertedQuestion));
        QVERIFY(!item(QStringLiteral("Maryjne")));
        QCOMPARE(m_panel->root(), computer);
    }

    // A folder card deleted behind the program, then the computer's library itself.
    void deletedLibraryFoldersGiveWayToTheComputersLibrary()
    {
        const QString card = fixtureCard();
        openPanel(QStringList{});
        const QString computer = m_panel->computerRoot();
        QVERIFY(m_panel->addCardFolder(card));
        m_panel->driveList()->refreshDrives();
        QVERIFY(item(QStringLiteral("Maryjne")));
        QCOMPARE(m_panel->driveList()->currentText(), QStringLiteral("card%1 ").arg(m_cards.count()) + card);
        QVERIFY(QDir(card).removeRecursively());
        m_boxes.clear();
        m_panel->driveList()->refreshDrives();
        QCOMPARE(m_panel->root(), computer);
        QVERIFY(!item(QStringLiteral("Maryjne")));
        QTRY_COMPARE(m_boxes.requests.size(), 1);
        QVERIFY(m_boxes.first().text.contains(u"card%1 "_qs.arg(m_cards.count()) + card));
        QCOMPARE(m_panel->driveList()->count(), 1);

        // The computer's library goes too: it is made again, read, and the user told where.
        writeFiles(computer, {u"Moje/0005 Pieśń.txt"_qs});
        m_panel->refreshLibrary(false);
        QVERIFY(item(u"0005 Pieśń"_qs));
        QVERIFY(QDir(computer).removeRecursively());
        m_boxes.clear();
        QTRY_COMPARE(m_boxes.requests.size(), 1);
        QCOMPARE(m_boxes.first().text,
                 Lang::text(Txt::ComputerLibraryRecreated).arg(Lang::text(Txt::ComputerLibrary), computer));
        QVERIFY(QFileInfo(computer + u"screen_dir").isDir());
        QVERIFY(!item(u"0005 Pieśń"_qs));
        QCOMPARE(m_panel->root(), computer);
    }

    // A folder inside the computer's library (or holding it) is no card of its own.
    void nestedFolderIsRefusedAsCard()
    {
        openPanel(QStringList{});
        const QString computer = m_panel->computerRoot();
        QVERIFY(QDir().mkpath(computer + u"Moje"));
        for (const QString &folder : QStringList{computer + u"Moje", QFileInfo(QDir::cleanPath(computer)).path()}) {
            m_boxes.clear();
            m_panel->actions()->openCardFolder(folder);
            QCOMPARE(m_boxes.requests.size(), 1);
            QCOMPARE(m_boxes.first().icon, QMessageBox::Critical);
            QVERIFY(m_boxes.first().text.contains(Lang::text(Txt::ComputerLibrary)));
            QCOMPARE(m_panel->driveList()->count(), 1);
            QCOMPARE(m_panel->root(), computer);
        }
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
        openPanel(QStringList{});
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
            QCOMPARE(m_panel->driveList()->count(), 1);
            QCOMPARE(m_panel->root(), m_panel->computerRoot());
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

    void switchingCardsRereadsTheChosenOne()
    {
        const QString first = fixtureCard();
        const QString second = m_cards.next();
        writeFiles(second, {u"Inne/0042 Druga.txt"_qs});
        openPanel({first, second});
        m_boxes.clear();
        QCOMPARE(m_panel->root(), first);
        m_panel->driveList()->setCurrentIndex(2);
        QCOMPARE(m_panel->root(), second);
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::CardInsertedQuestion)});
        QVERIFY(item(QStringLiteral("Inne")));
        // The list keeps the chosen card by its root when the order of the cards changes.
        offer({cardEntry(second, QStringLiteral("B")), cardEntry(first)});
        QCOMPARE(m_panel->driveList()->drivePath(), second);
        QCOMPARE(m_panel->driveList()->currentIndex(), 1);
        QCOMPARE(m_boxes.texts().size(), 1);
        // The computer's library is read without the card's question.
        m_panel->driveList()->setCurrentIndex(0);
        QCOMPARE(m_panel->root(), m_panel->computerRoot());
        QCOMPARE(m_boxes.texts().size(), 1);
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
        QTest::sendKeyEvent(QTest::Click, matrix, Qt::Key_L, QStringLiteral("ł"),
                            Qt::ControlModifier | Qt::AltModifier);
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
        seamed(&full);
        auto *add = full.findChild<QPushButton *>(QStringLiteral("addButton"));
        QVERIFY(!add->isEnabled());
        QCOMPARE(add->toolTip(), Lang::text(Txt::GroupLimitReached).arg(32));
        full.accept(); // the save failed: the dialog stays open
        QCOMPARE(full.result(), int(QDialog::Rejected));

        SongGroupList none;
        GroupColoursDialog empty(none, {}, {});
        seamed(&empty);
        QVERIFY(!empty.findChild<QPushButton *>(QStringLiteral("deleteButton"))->isEnabled());

        GroupEditDialog edit(SongGroup{QStringLiteral("Kolędy"), SongGroup::kWhite, 1, 1}, {});
        seamed(&edit);
        auto *from = edit.findChild<QLineEdit *>(QStringLiteral("fromEdit"));
        from->clear();
        QTest::keyClicks(from, QStringLiteral("70000"));
        QCOMPARE(from->text(), QStringLiteral("7000"));
        edit.accept();
        QCOMPARE(edit.group().firstNumber, 4999);
    }

    void firstStartShowsTheWayToACard()
    {
        openPanel(QStringList{});
        auto *emptyState = m_panel->findChild<QWidget *>(QStringLiteral("emptyState"));
        QVERIFY(emptyState->isVisibleTo(m_panel));
        // It names the library shown and what fills it.
        QCOMPARE(m_panel->findChild<QLabel *>(QStringLiteral("emptyStateText"))->text(),
                 Lang::text(Txt::LibraryEmptyHint).arg(Lang::text(Txt::ComputerLibrary)));
        m_panel->findChild<QPushButton *>(QStringLiteral("openDemoButton"))->click();
        const QString copy = m_app->core().dirs().dataDir + QStringLiteral("demo-card/");
        QCOMPARE(m_panel->root(), copy);
        QVERIFY(!emptyState->isVisibleTo(m_panel));
        QVERIFY(item(u"Kolędy"_qs));

        // A write-protected card's entry takes its prefix from the language table; every entry
        // shows its whole text as a tooltip.
        DriveEntry locked = cardEntry(m_cards.next(), QStringLiteral("LOCKED"));
        locked.readOnly = true;
        offer({locked});
        const QString text = m_panel->driveList()->itemText(1);
        QCOMPARE(text, Lang::text(Txt::ProtectPrefix) + QStringLiteral(" LOCKED ") + locked.rootPath);
        QCOMPARE(m_panel->driveList()->itemData(1, Qt::ToolTipRole).toString(), text);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestLibraryPanel)
#include "tst_librarypanel.moc"
