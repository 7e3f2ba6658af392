// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo in the song editor page, driven by keys in the main window.
#include "core/app/language.h"
#include "core/model/songfile.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/sequencelist.h"
#include "gui/editor/songcommands.h"
#include "gui/editor/songeditorpage.h"
#include "gui/editor/textimportdialog.h"
#include "gui/editor/titleedit.h"
#include "gui/library/librarypanel.h"
#include "gui/library/playlistpage.h"
#include "gui/main/mainwindow.h"
#include "librarytestsupport.h"
#include "testappcore.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>

using namespace LibraryTest;
using TestSupport::readFile;
using TestSupport::writeFile;

namespace {

QByteArray screenBytes(char fill)
{
    return "#e\r\n" + QByteArray(QByteArray(20, fill) + "\r\n").repeated(10);
}

// Three stanzas, the third the refrain.
QByteArray gloriaBytes()
{
    return "#n 0\r\n#k 1,r,2,r,\r\n#z\r\n" + screenBytes('a') + "#z\r\n" + screenBytes('c') + "#r\r\n"
           + screenBytes('d');
}

} // namespace

class TestSongUndo : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestAppCore> m_app;
    BoxRecorder m_boxes;
    TestSupport::CardFolders m_cards;
    QString m_gloria;
    std::unique_ptr<MainWindow> m_frame;
    LibraryPanel *m_panel = nullptr;
    qint64 m_now = 0;

    SongEditorPage *page() const { return m_panel->editorPage(); }
    QUndoStack *stack() const { return page()->undoStack(); }
    QAction *undoAction() const { return m_frame->action(Command::Undo); }
    QAction *redoAction() const { return m_frame->action(Command::Redo); }
    QByteArray songBytes() const { return SongFile::toBytes(page()->song()); }
    void click(const QString &name) const
    {
        QTest::mouseClick(page()->findChild<QAbstractButton *>(name), Qt::LeftButton);
    }
    // The window manager gives the focus back after a dialog; the offscreen platform does not.
    void undoKey(QWidget *where, Qt::Key key = Qt::Key_Z, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) const
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
    void initTestCase()
    {
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), u"Polski"_qs), Lang::LoadResult::Loaded);
        setTypingClock([this] { return m_now; });
    }
    void init()
    {
        m_app = std::make_unique<TestAppCore>();
        const QString card = m_cards.next();
        m_gloria = card + u"Adwent/0010 Gloria.txt"_qs;
        writeFile(m_gloria, gloriaBytes());
        m_boxes = {};
        m_boxes.install();
        auto drives = std::make_shared<FakeDriveProvider>();
        drives->setDrives({cardEntry(card)});
        m_frame = std::make_unique<MainWindow>();
        m_panel = new LibraryPanel(m_frame.get(), drives);
        m_frame->setLibraryPanel(m_panel);
        m_panel->initialUpdate();
        m_frame->pages()->setCurrentWidget(page());
        m_frame->show();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    }
    void cleanup()
    {
        m_frame.reset();
        MessageBoxes::setResponder({});
    }

    // A typed run is one step; typing erased leaves the song clean; a pause over 1.5 s or a
    // cursor moved by a key between the letters splits the run.
    void typingRuns_data()
    {
        QTest::addColumn<int>("pause");
        QTest::addColumn<int>("between"); // a key pressed between the two halves, or 0
        QTest::addColumn<int>("after");   // the second half: a key twice, Ctrl+V of "cd", or 0 for "cd" typed
        QTest::addColumn<int>("steps");
        QTest::newRow("word") << 0 << 0 << 0 << 1;
        QTest::newRow("erased") << 0 << 0 << int(Qt::Key_Backspace) << 0;
        QTest::newRow("pause") << 2000 << 0 << 0 << 2;
        QTest::newRow("home key") << 0 << int(Qt::Key_Home) << 0 << 2;
        QTest::newRow("enter splitting the line") << 0 << int(Qt::Key_Left) << int(Qt::Key_Return) << 3;
        QTest::newRow("paste") << 0 << 0 << int(Qt::Key_V) << 2;
    }
    void typingRuns()
    {
        QFETCH(int, pause);
        QFETCH(int, between);
        QFETCH(int, after);
        QFETCH(int, steps);
        LedMatrix *matrix = page()->matrix();
        matrix->setFocus();
        const QString blank = matrix->text();
        QTest::keyClicks(matrix, u"ab"_qs);
        m_now += pause;
        if (between)
            QTest::keyClick(matrix, Qt::Key(between));
        if (after == Qt::Key_V) {
            QApplication::clipboard()->setText(u"cd"_qs);
            QTest::keyClick(matrix, Qt::Key_V, Qt::ControlModifier);
        } else if (after) {
            QTest::keyClick(matrix, Qt::Key(after));
            QTest::keyClick(matrix, Qt::Key(after));
        } else {
            QTest::keyClicks(matrix, u"cd"_qs);
        }
        QCOMPARE(stack()->count(), steps);
        QCOMPARE(page()->isModified(), steps > 0);
        QCOMPARE(m_frame->isWindowModified(), steps > 0);
        for (int i = 0; i < steps; ++i)
            undoKey(matrix);
        QCOMPARE(matrix->text(), blank);
        QCOMPARE(page()->song().screenText(0, 0), blank);
        QVERIFY(!page()->isModified());
    }

    // A save makes the next letter a step of its own; undo past the save asks on close, redo
    // back to it does not, and neither writes the file.
    void saveIsTheCleanState()
    {
        open();
        QTest::keyClicks(page()->matrix(), u"X"_qs);
        QVERIFY(page()->save());
        const QByteArray saved = readFile(m_gloria);
        QVERIFY(!m_frame->isWindowModified());
        QTest::keyClicks(page()->matrix(), u"Y"_qs);
        QCOMPARE(stack()->count(), 2);
        undoKey(page()->matrix());
        QVERIFY(!page()->isModified());
        undoKey(page()->matrix());
        QVERIFY(page()->isModified());
        QVERIFY(m_frame->isWindowModified());
        QCOMPARE(page()->matrix()->text().left(2), u"aa"_qs);
        m_boxes.answer = QMessageBox::Cancel;
        QVERIFY(!m_frame->close());
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::CloseQuestion)});
        undoKey(page()->matrix(), Qt::Key_Y);
        QVERIFY(!page()->isModified());
        QCOMPARE(readFile(m_gloria), saved);
        QVERIFY(m_frame->close());
        QCOMPARE(m_boxes.requests.size(), 1);
    }

    // The tree deleting the open file, or the saved state falling off the history's limit:
    // no state of the history matches a file any more, and undo never gets back to one.
    void cleanStateLost()
    {
        open();
        page()->fileDeleted(m_gloria);
        QVERIFY(page()->isModified());
        QVERIFY(m_frame->isWindowModified());

        open();
        for (int i = 0; i <= SongEditorPage::kUndoLimit; ++i)
            i % 2 ? page()->deleteScreen() : page()->addScreen();
        QCOMPARE(stack()->count(), SongEditorPage::kUndoLimit);
        while (stack()->canUndo())
            undoKey(page()->matrix());
        QVERIFY(page()->isModified());
        QCOMPARE(page()->song().screenCount(0), 2);
    }

    // Deleting the refrain or a stanza before it, then undo and redo: the file bytes, refrain
    // index and sequence included, return exactly.
    void stanzaDeletionRoundTrips_data()
    {
        QTest::addColumn<int>("stanza");
        QTest::newRow("refrain") << 2;
        QTest::newRow("before refrain") << 0;
    }
    void stanzaDeletionRoundTrips()
    {
        QFETCH(int, stanza);
        open();
        page()->showScreen(stanza, 0);
        const QByteArray before = songBytes();
        click(u"stanzaDelete"_qs);
        const QByteArray after = songBytes();
        QVERIFY(after != before);
        undoKey(page()->matrix());
        QCOMPARE(songBytes(), before);
        QCOMPARE(page()->song().currentStanza(), stanza);
        QCOMPARE(page()->sequenceList()->count(), 4);
        undoKey(page()->matrix(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(songBytes(), after);
        QCOMPARE(page()->sequenceList()->count(), page()->song().sequenceLength());
    }

    // A text import of three blocks is one step.
    void importIsOneStep()
    {
        open();
        const QByteArray before = songBytes();
        QApplication::clipboard()->setText(u"Pierwsza\n\nDruga\n\nTrzecia"_qs);
        whenShown<TextImportDialog>([](TextImportDialog *dialog) { dialog->accept(); });
        click(u"import"_qs);
        QVERIFY(songBytes() != before);
        QCOMPARE(stack()->count(), 1);
        undoKey(page()->matrix());
        QCOMPARE(songBytes(), before);
    }

    // The title field's keys and menu undo through the song's stack; the Edit entries follow
    // it; another line edit keeps its own undo.
    void titleKeysAndEditMenu()
    {
        open();
        QVERIFY(!undoAction()->isEnabled());
        QCOMPARE(undoAction()->text(), Lang::text(Txt::MenuUndo));
        TitleEdit *title = page()->titleEdit();
        title->setFocus();
        QTest::keyClick(title, Qt::Key_End);
        QTest::keyClicks(title, u" Patri"_qs);
        QCOMPARE(stack()->count(), 1);
        QVERIFY(undoAction()->isEnabled());
        QCOMPARE(undoAction()->text(), Lang::text(Txt::UndoWhat).arg(Lang::text(Txt::UndoTitleNumber)));
        undoKey(title);
        QCOMPARE(title->text(), u"Gloria"_qs);
        QCOMPARE(page()->song().title(), u"Gloria"_qs);
        QCOMPARE(redoAction()->text(), Lang::text(Txt::RedoWhat).arg(Lang::text(Txt::UndoTitleNumber)));
        undoKey(title, Qt::Key_Y);
        QCOMPARE(page()->song().title(), u"Gloria Patri"_qs);
        QCOMPARE(redoAction()->text(), Lang::text(Txt::MenuRedo));

        // The title menu's "Cofnij" is the stack's.
        std::unique_ptr<QMenu> menu{title->createMenu(title)};
        menu->actions().first()->trigger();
        QCOMPARE(page()->song().title(), u"Gloria"_qs);

        auto *other = new QLineEdit(m_frame->statusBar());
        m_frame->statusBar()->addWidget(other);
        other->setFocus();
        QTest::keyClicks(other, u"szukaj"_qs);
        undoKey(other);
        QVERIFY(other->text().isEmpty());
        QCOMPARE(page()->song().title(), u"Gloria"_qs);
        QVERIFY(stack()->canRedo());

        // Another page current: the entries are grey and the keys leave the song alone.
        m_frame->pages()->setCurrentWidget(m_panel->playlistPage());
        QVERIFY(!redoAction()->isEnabled());
        QTest::keyClick(m_frame.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(page()->song().title(), u"Gloria"_qs);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestSongUndo)
#include "tst_songundo.moc"
