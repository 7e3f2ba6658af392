// SPDX-License-Identifier: GPL-3.0-or-later
// The song editor page in the main window, on a card in a temporary folder, driven by keys.
#include "core/app/language.h"
#include "core/model/songfile.h"
#include "gui/app/dialogtext.h"
#include "gui/widgets/drivecombo.h"
#include "core/search/lyricindexer.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/sequencelist.h"
#include "gui/editor/songeditorpage.h"
#include "gui/editor/titleedit.h"
#include "gui/library/libraryactions.h"
#include "gui/library/librarypanel.h"
#include "gui/library/librarytree.h"
#include "gui/widgets/targetgroupdialog.h"
#include "gui/main/mainwindow.h"
#include "gui/music/musictimingdialog.h"
#include "librarytestsupport.h"
#include "testappcore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

using namespace LibraryTest;
using TestSupport::readFile;
using TestSupport::writeFile;

class TestSongEditorPage : public PanelTest
{
    Q_OBJECT

    QString m_card;
    QString m_gloria;

    SongEditorPage *page() const { return m_frame->editorPage(); }
    QAbstractButton *button(const QString &name) const { return page()->findChild<QAbstractButton *>(name); }
    void click(const QString &name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    // Replaces an edit's text as the user would: select all, then type.
    static void retype(QLineEdit *edit, const QString &text)
    {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }
    void open(const QString &path)
    {
        QVERIFY(page()->openSong(path));
        QCOMPARE(page()->song().path(), path);
    }

private slots:
    void init()
    {
        setUpPanelTests();
        m_card = m_cards.next();
        m_gloria = m_card + u"Adwent/0010 Gloria.txt"_qs;
        writeFile(m_gloria, TestSupport::songBytes('x', "1,r,2,r,", {"#z a", "#z c", "#r d"})); // the third the refrain
        writeFile(m_card + u"screen_dir/0005 Witamy.ekr"_qs, TestSupport::songBytes('s'));
        QDir().mkpath(m_card + u"Post"_qs);
        openPanel(m_card);
        QVERIFY(page());
        m_frame->pages()->setCurrentWidget(page());
        m_frame->show();
    }
    void cleanup() { m_frame.reset(); }

    // A letter typed makes the song changed: New asks 235 and Cancel keeps it; No lets it go.
    void newAsksAfterTyping()
    {
        QCOMPARE(page()->song().kind(), SongKind::NewSong);
        QCOMPARE(page()->song().number(), 1); // the card's first free number
        click(u"newSong"_qs);
        QVERIFY(m_boxes.isEmpty());
        QTest::keyClicks(page()->matrix(), u"A"_qs);
        m_boxes.answer = QMessageBox::Cancel;
        click(u"newSong"_qs);
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::SaveChangesQuestion)});
        QCOMPARE(page()->matrix()->text().left(1), u"A"_qs);
        QVERIFY(page()->isModified());
        m_boxes.answer = QMessageBox::No;
        click(u"newSong"_qs);
        QVERIFY(page()->matrix()->text().trimmed().isEmpty());
        QVERIFY(!page()->isModified());
    }

    // A new song typed and saved into the group the user picks, then retitled, renumbered and
    // saved as a slide; the tree shows each file.
    void newSongSavedRetitledRenumbered()
    {
        QTest::keyClicks(page()->matrix(), u"Alleluja"_qs);
        QTest::keyClicks(page()->titleEdit(), u"Nowa/"_qs);
        QVERIFY(!page()->save());
        QCOMPARE(m_boxes.texts(), QStringList{forbiddenCharacterMessage(Txt::TitleForbiddenCharacter)});
        QTest::keyClick(page()->titleEdit(), Qt::Key_Backspace);
        whenShown<TargetGroupDialog>([](TargetGroupDialog *dialog) {
            dialog->groupList()->setCurrentIndex(dialog->groupList()->findText(u"Post"_qs));
            dialog->accept();
        });
        QVERIFY(page()->save());
        const QString saved = m_card + u"Post/0001 Nowa.txt"_qs;
        QCOMPARE(page()->song().path(), saved);
        QCOMPARE(page()->song().kind(), SongKind::Song);
        QVERIFY(!page()->isModified());
        QCOMPARE(m_panel->tree()->currentItem()->text(0), u"0001 Nowa"_qs);

        retype(page()->titleEdit(), u"Inna"_qs);
        QVERIFY(page()->save());
        QVERIFY(!QFile::exists(saved));
        QVERIFY(QFile::exists(m_card + u"Post/0001 Inna.txt"_qs));
        retype(page()->numberEdit(), u"2"_qs);
        QVERIFY(page()->save());
        QVERIFY(QFile::exists(m_card + u"Post/0001 Inna.txt"_qs));
        Song reread;
        QVERIFY(SongFile::load(m_card + u"Post/0002 Inna.txt"_qs, reread));
        QCOMPARE(reread.screenText(0, 0).left(8), u"Alleluja"_qs);
    }

    // Letters cannot be typed into the number, and a typed number survives navigation.
    void typedNumberSurvivesNavigation()
    {
        open(m_gloria);
        retype(page()->numberEdit(), u"12ab"_qs);
        QCOMPARE(page()->numberEdit()->text(), u"12"_qs);
        click(u"stanzaNext"_qs);
        QCOMPARE(page()->stanzaCounter(), u"2/3"_qs);
        QCOMPARE(page()->numberEdit()->text(), u"12"_qs);
        QCOMPARE(page()->song().number(), 12);
        QVERIFY(page()->isModified());
    }

    // A folder holding the new name: the save fails, the old file and the song stay as they were.
    void failedRetitleKeepsOldFile()
    {
        open(m_gloria);
        const QByteArray before = readFile(m_gloria);
        QVERIFY(QDir().mkpath(m_card + u"Adwent/0010 Credo.txt"_qs));
        QTest::keyClicks(page()->matrix(), u"X"_qs);
        retype(page()->titleEdit(), u"Credo"_qs);
        QVERIFY(!page()->save());
        QCOMPARE(m_boxes.requests.size(), 2); // replace? Yes, then the failure
        QVERIFY(m_boxes.texts().last().startsWith(Lang::text(Txt::SaveFailed)));
        QCOMPARE(readFile(m_gloria), before);
        QCOMPARE(page()->song().path(), m_gloria);
        QCOMPARE(page()->song().kind(), SongKind::Song);
        QVERIFY(page()->isModified());
    }

    // The close question on an open slide saves it as a slide, nothing else.
    void closeQuestionSavesSlide()
    {
        const QString slide = m_card + u"screen_dir/0005 Witamy.ekr"_qs;
        open(slide);
        QVERIFY(!button(u"saveSong"_qs)->isEnabled());
        QVERIFY(!button(u"musicTiming"_qs)->isEnabled());
        QVERIFY(page()->createMatrixMenu() == nullptr);
        QTest::keyClicks(page()->matrix(), u"Z"_qs);
        QVERIFY(m_frame->close());
        QCOMPARE(m_boxes.texts().first(), Lang::text(Txt::CloseQuestion));
        Song reread;
        QVERIFY(SongFile::load(slide, reread));
        QCOMPARE(reread.screenText(0, 0).left(1), u"Z"_qs);
        QCOMPARE(QDir(m_card + u"screen_dir"_qs).entryList(QDir::Files), QStringList{u"0005 Witamy.ekr"_qs});
        QCOMPARE(QDir(m_card).entryList(QDir::Files), QStringList{});
    }

    // Button 1040 times the open song: without a music folder it says so, else the dialog opens on it.
    void musicTimingOpensOnTheSong()
    {
        open(m_gloria);
        click(u"musicTiming"_qs);
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::TimingNoMusicFolder)});
        m_app->core().settings().setLastMusicDir(m_card);
        int screens = -1;
        whenShown<MusicTimingDialog>([&screens](MusicTimingDialog *dialog) {
            screens = dialog->session().screenCount();
            dialog->reject();
        });
        click(u"musicTiming"_qs);
        QCOMPARE(screens, 4);
        QVERIFY(!page()->isModified());
    }

    // The card goes while a new song is typed: the list turns to the computer's library and the
    // edit stays, unsaved, for the user to save there or on the card when it is back.
    void cardGoneKeepsTheEdit()
    {
        QTest::keyClicks(page()->matrix(), u"A"_qs);
        m_drives->setDrives({});
        m_panel->driveList()->refreshDrives();
        QCOMPARE(m_panel->root(), m_panel->computerRoot());
        QVERIFY(page()->isModified());
        QVERIFY(page()->matrix()->text().startsWith(u'A'));
    }

    // A song of the card saved while another library with a song of the same group and name is
    // shown: its own file takes the edit; the shown library's song is neither selected nor indexed.
    void songOfAnotherLibrarySavesToItsOwnFile()
    {
        const QString computer = m_panel->computerRoot();
        const QByteArray other = TestSupport::songBytes('y');
        writeFile(computer + u"Adwent/0010 Gloria.txt"_qs, other);
        open(m_gloria);
        QTest::keyClicks(page()->matrix(), u"A"_qs);
        m_drives->setDrives({});
        m_panel->driveList()->refreshDrives();
        QCOMPARE(m_panel->root(), computer);
        QVERIFY(page()->save());
        QVERIFY(TestSupport::readFile(m_gloria).contains('A'));
        QCOMPARE(TestSupport::readFile(computer + u"Adwent/0010 Gloria.txt"_qs), other);
        QVERIFY(!m_panel->tree()->currentItem() || m_panel->tree()->currentItem()->text(0) != u"0010 Gloria"_qs);
        QVERIFY(!m_frame->workspace().lyrics()->index().contains(m_gloria));
    }

    // The tree moves the open song into another group, then deletes it: the song becomes new.
    void treeMovesAndDeletesOpenSong()
    {
        open(m_gloria);
        LibraryTree *tree = m_panel->tree();
        const LibraryItemInfo dragged = tree->itemInfo(tree->findItems(u"0010 Gloria"_qs, Qt::MatchRecursive).first(),
                                                       m_card);
        LibraryItemInfo target = dragged;
        target.kind = LibraryNodeKind::Group;
        target.group = u"Post"_qs;
        m_panel->actions()->moveSong(dragged, target);
        const QString moved = m_card + u"Post/0010 Gloria.txt"_qs;
        QCOMPARE(page()->song().path(), moved);
        tree->restoreState({}, LibraryTree::keyFor(LibraryNodeKind::Song, u"Post"_qs, u"0010 Gloria"_qs));
        m_panel->actions()->deleteSelected();
        QVERIFY(!QFile::exists(moved));
        QCOMPARE(page()->song().kind(), SongKind::NewSong);
        QVERIFY(page()->song().path().isEmpty());
    }

    // 236 asks before the refrain moves: No keeps it, Yes moves it and rebuilds the sequence.
    void refrainMovesOnlyWhenConfirmed()
    {
        open(m_gloria);
        auto *refrain = page()->findChild<QCheckBox *>(u"refrainBox"_qs);
        m_boxes.answer = QMessageBox::No;
        QTest::mouseClick(refrain, Qt::LeftButton, {}, QPoint(4, refrain->height() / 2));
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::MoveRefrainQuestion).arg(3).arg(1)});
        QVERIFY(!refrain->isChecked());
        QCOMPARE(page()->song().refrainIndex(), 3);
        m_boxes.answer = QMessageBox::Yes;
        QTest::mouseClick(refrain, Qt::LeftButton, {}, QPoint(4, refrain->height() / 2));
        QVERIFY(refrain->isChecked());
        QCOMPARE(page()->song().refrainIndex(), 1);
        QCOMPARE(page()->song().sequence(), (QList<int>{2, RefrainMarker, 3, RefrainMarker}));
        QCOMPARE(page()->sequenceList()->count(), 4);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestSongEditorPage)
#include "tst_songeditorpage.moc"
