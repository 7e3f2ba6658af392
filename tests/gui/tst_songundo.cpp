// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo in the song editor page, driven by keys in the main window.
#include "core/app/language.h"
#include "core/model/songfile.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/songcommands.h"
#include "gui/editor/songeditorpage.h"
#include "gui/editor/textimportdialog.h"
#include "gui/editor/titleedit.h"
#include "gui/library/librarypanel.h"
#include "gui/playlist/playlistpage.h"
#include "gui/main/mainwindow.h"
#include "librarytestsupport.h"
#include "tablerows.h"
#include "testappcore.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QKeySequence>
#include <QMenu>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>

using namespace LibraryTest;

class TestSongUndo : public PanelTest
{
    Q_OBJECT

    QString m_gloria;
    qint64 m_now = 0;

    SongEditorPage *page() const { return m_frame->editorPage(); }
    QUndoStack *stack() const { return page()->undoStack(); }
    QByteArray songBytes() const { return SongFile::toBytes(page()->song()); }
    void click(const QString &name) const
    {
        QTest::mouseClick(page()->findChild<QAbstractButton *>(name), Qt::LeftButton);
    }
    // The window manager gives the focus back after a dialog; the offscreen platform does not.
    void key(QWidget *where, Qt::Key key = Qt::Key_Z, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) const
    {
        QApplication::setActiveWindow(m_frame.get());
        QTest::keyClick(where, key, modifiers);
    }
    void open()
    {
        QVERIFY(page()->openSong(m_gloria));
        page()->matrix()->setFocus();
    }

private slots:
    void init()
    {
        setUpPanelTests();
        m_seams.typingClock = [this] { return m_now; };
        const QString card = m_cards.next();
        m_gloria = card + u"Adwent/0010 Gloria.txt"_qs;
        TestSupport::writeFile(
            m_gloria, TestSupport::songBytes('x', "1,r,2,r,", {"#z a", "#z c", "#r d"})); // the third the refrain
        openPanel(card);
        m_frame->pages()->setCurrentWidget(page());
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    }
    void cleanup() { m_frame.reset(); }

    // The steps of a typing run, each undone by Ctrl+Z back to the blank screen and a clean song.
    void typingRuns_data()
    {
        QTest::addColumn<int>("pause");
        QTest::addColumn<QKeySequence>("between");
        QTest::addColumn<QKeySequence>("after");
        QTest::addColumn<int>("steps");
        for (const QStringList &row : TestSupport::tableRows(u"songundo/typing.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << row[1].toInt() << QKeySequence(row[2]) << QKeySequence(row[3]) << row[4].toInt();
    }
    void typingRuns()
    {
        QFETCH(int, pause);
        QFETCH(QKeySequence, between);
        QFETCH(QKeySequence, after);
        QFETCH(int, steps);
        LedMatrix *matrix = page()->matrix();
        matrix->setFocus();
        const QString blank = matrix->text();
        QTest::keyClicks(matrix, u"ab"_qs);
        m_now += pause;
        QApplication::clipboard()->setText(u"cd"_qs);
        for (const QKeySequence &keys : {between, after.isEmpty() ? QKeySequence(u"C, D"_qs) : after}) {
            for (int i = 0; i < keys.count(); ++i)
                QTest::keyClick(matrix, keys[i].key(), keys[i].keyboardModifiers());
        }
        QCOMPARE(stack()->count(), steps);
        QCOMPARE(m_frame->isWindowModified(), steps > 0);
        for (int i = 0; i < steps; ++i)
            key(matrix);
        QCOMPARE(matrix->text(), blank);
        QCOMPARE(page()->song().screenText(0, 0), blank);
        QVERIFY(!page()->isModified());
    }

    // After a save the next letter is a new step; undo past the save asks on close, redo back
    // to it does not, and neither writes the file. The file deleted by the tree, or the saved
    // state fallen off the limit: undo never gets back to a clean song.
    void cleanState()
    {
        open();
        QTest::keyClicks(page()->matrix(), u"X"_qs);
        QVERIFY(page()->save());
        const QByteArray saved = TestSupport::readFile(m_gloria);
        QTest::keyClicks(page()->matrix(), u"Y"_qs);
        QCOMPARE(stack()->count(), 2);
        key(page()->matrix());
        QVERIFY(!page()->isModified());
        key(page()->matrix());
        QVERIFY(m_frame->isWindowModified());
        QCOMPARE(page()->matrix()->text().left(2), u"aa"_qs);
        m_boxes.answer = QMessageBox::Cancel;
        QVERIFY(!m_frame->close());
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::CloseQuestion)});
        key(page()->matrix(), Qt::Key_Y);
        QVERIFY(!page()->isModified());
        QCOMPARE(TestSupport::readFile(m_gloria), saved);

        page()->fileDeleted(m_gloria);
        QVERIFY(page()->isModified());
        m_boxes.answer = QMessageBox::No;
        open();
        for (int i = 0; i <= SongEditorPage::kUndoLimit; ++i)
            i % 2 ? page()->deleteScreen() : page()->addScreen();
        while (stack()->canUndo())
            key(page()->matrix());
        QCOMPARE(page()->song().screenCount(0), 2);
        QVERIFY(page()->isModified());
    }

    // Deleting the refrain or a stanza before it, or a text import of three blocks, is one step
    // whose undo and redo give the file bytes (refrain index and sequence included) exactly.
    void layoutStepsRoundTrip_data()
    {
        QTest::addColumn<int>("stanza"); // deleted; -1 for the import
        QTest::newRow("delete refrain") << 2;
        QTest::newRow("delete before refrain") << 0;
        QTest::newRow("import") << -1;
    }
    void layoutStepsRoundTrip()
    {
        QFETCH(int, stanza);
        open();
        page()->showScreen(std::max(stanza, 0), 0);
        const QByteArray before = songBytes();
        if (stanza >= 0) {
            click(u"stanzaDelete"_qs);
        } else {
            QApplication::clipboard()->setText(u"Pierwsza\n\nDruga\n\nTrzecia"_qs);
            whenShown<TextImportDialog>([](TextImportDialog *dialog) { dialog->accept(); });
            click(u"import"_qs);
        }
        const QByteArray after = songBytes();
        QVERIFY(after != before);
        QCOMPARE(stack()->count(), 1);
        key(page()->matrix());
        QCOMPARE(songBytes(), before);
        QCOMPARE(page()->song().currentStanza(), std::max(stanza, 0));
        key(page()->matrix(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(songBytes(), after);
    }

    // The title field's keys and menu undo through the song's stack and the Edit entries follow
    // it; another line edit keeps its own undo; on another page the entries are grey.
    void titleKeysAndEditMenu()
    {
        open();
        QAction *undo = m_frame->action(Command::Undo);
        QAction *redo = m_frame->action(Command::Redo);
        QVERIFY(!undo->isEnabled());
        TitleEdit *title = page()->titleEdit();
        title->setFocus();
        QTest::keyClick(title, Qt::Key_End);
        QTest::keyClicks(title, u" Patri"_qs);
        QCOMPARE(stack()->count(), 1);
        QCOMPARE(undo->text(), Lang::text(Txt::UndoWhat).arg(Lang::text(Txt::UndoTitleNumber)));
        key(title);
        QCOMPARE(title->text(), u"Gloria"_qs);
        QCOMPARE(page()->song().title(), u"Gloria"_qs);
        QCOMPARE(undo->text(), Lang::text(Txt::MenuUndo));
        QCOMPARE(redo->text(), Lang::text(Txt::RedoWhat).arg(Lang::text(Txt::UndoTitleNumber)));
        key(title, Qt::Key_Y);
        QCOMPARE(page()->song().title(), u"Gloria Patri"_qs);
        std::unique_ptr<QMenu> menu{title->createMenu(title)};
        menu->actions().first()->trigger();
        QCOMPARE(page()->song().title(), u"Gloria"_qs);

        auto *other = new QLineEdit(m_frame->statusBar());
        m_frame->statusBar()->addWidget(other);
        other->setFocus();
        QTest::keyClicks(other, u"szukaj"_qs);
        key(other);
        QVERIFY(other->text().isEmpty());
        QVERIFY(stack()->canRedo() && !stack()->canUndo());

        m_frame->pages()->setCurrentWidget(m_frame->playlistPage());
        QVERIFY(!redo->isEnabled());
        key(m_frame.get(), Qt::Key_Y);
        QCOMPARE(page()->song().title(), u"Gloria"_qs);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestSongUndo)
#include "tst_songundo.moc"
