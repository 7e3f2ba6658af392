// SPDX-License-Identifier: GPL-3.0-or-later
// Typing in the song editor as a user does: keys go wherever the keyboard is after each command,
// letters the song cannot hold are refused, a taken number is asked about before anything is written.
#include "core/app/language.h"
#include "core/model/songfile.h"
#include "gui/app/shell.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/songeditorform.h"
#include "gui/editor/songeditorpage.h"
#include "gui/editor/songnumberdialog.h"
#include "gui/editor/titleedit.h"
#include "gui/library/librarypanel.h"
#include "gui/widgets/targetgroupdialog.h"
#include "gui/main/mainwindow.h"
#include "gui/main/shortcutsdialog.h"
#include "librarytestsupport.h"
#include "testappcore.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace LibraryTest;

class TestEditorTyping : public PanelTest
{
    Q_OBJECT

    QString m_card;
    QStringList m_asked;

    SongEditorPage *page() const { return m_frame->editorPage(); }
    // Keys go where the keyboard is; the key code of a letter is its upper-case code point.
    void type(const QString &text) const
    {
        QApplication::setActiveWindow(m_frame.get());
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(c.toUpper().unicode()), QString(c),
                                {});
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const
    {
        QApplication::setActiveWindow(m_frame.get());
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // A button, the refrain box (clicked on its box) or "undo" from the Edit menu.
    void click(const QString &name) const
    {
        if (name == u"undo")
            return m_frame->action(Command::Undo)->trigger();
        auto *target = page()->findChild<QAbstractButton *>(name);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(6, target->height() / 2));
    }
    static QString row(const QString &screen, int line = 0) { return screen.mid(line * 20, 20).trimmed(); }
    QString screen(int stanza, int screen) const { return row(page()->song().screenText(stanza, screen)); }
    void answerWith(QMessageBox::StandardButton answer)
    {
        m_frame->seams().responder = [this, answer](const MessageBoxes::Request &request) {
            m_asked << request.text;
            return answer;
        };
    }
    void saveInto(const QString &group)
    {
        whenShown<TargetGroupDialog>([group](TargetGroupDialog *dialog) {
            dialog->groupList()->setCurrentIndex(dialog->groupList()->findText(group));
            dialog->accept();
        });
        QVERIFY(page()->save());
    }

private slots:
    void init()
    {
        setUpPanelTests();
        m_asked.clear();
        m_card = m_cards.next();
        TestSupport::writeFile(m_card + u"Adwent/0010 Gloria.txt"_qs, TestSupport::songBytes('x'));
        QDir().mkpath(m_card + u"Post"_qs);
        openPanel(m_card);
        m_frame->pages()->setCurrentWidget(page());
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        page()->matrix()->setFocus();
    }
    void cleanup() { m_frame.reset(); }

    // After each command the typing goes on in the matrix: a space never presses the button again.
    void typingAfterCommand_data()
    {
        QTest::addColumn<QString>("commands");
        QTest::addColumn<QList<int>>("where"); // stanzas, stanza, screen
        QTest::addColumn<QString>("text");
        QTest::newRow("stanza add") << u"stanzaAdd"_qs << QList<int>{2, 1, 0} << u"x y z"_qs;
        QTest::newRow("screen add") << u"screenAdd"_qs << QList<int>{1, 0, 1} << u"x y z"_qs;
        QTest::newRow("screen clear") << u"screenClear"_qs << QList<int>{1, 0, 0} << u"x y z"_qs;
        QTest::newRow("refrain") << u"refrainBox"_qs << QList<int>{1, 0, 0} << u"abx y z"_qs;
        QTest::newRow("stanza add, back") << u"stanzaAdd,stanzaPrevious"_qs << QList<int>{2, 0, 0} << u"x y zab"_qs;
        QTest::newRow("stanza add, undo") << u"stanzaAdd,undo"_qs << QList<int>{1, 0, 0} << u"abx y z"_qs;
    }
    void typingAfterCommand()
    {
        QFETCH(QString, commands);
        QFETCH(QList<int>, where);
        type(u"ab"_qs);
        for (const QString &name : commands.split(u','))
            click(name);
        QCOMPARE(QApplication::focusWidget(), page()->matrix());
        type(u"x y z"_qs);
        const Song &song = page()->song();
        QCOMPARE((QList<int>{song.stanzaCount(), song.currentStanza(), song.currentScreen()}), where);
        QTEST(screen(where[1], where[2]), "text");
    }

    // A hymn of three stanzas and a refrain, typed from the keys or with the buttons between the
    // stanzas, comes out of the file exactly as typed; the save is told in the status bar.
    void hymnTyped_data()
    {
        QTest::addColumn<bool>("buttons");
        QTest::newRow("keys") << false;
        QTest::newRow("buttons") << true;
    }
    void hymnTyped()
    {
        QFETCH(bool, buttons);
        const auto command = [this, buttons](const char16_t *name, Qt::Key key, Qt::KeyboardModifiers modifiers) {
            buttons ? click(QString::fromUtf16(name)) : this->key(key, modifiers);
        };
        const auto stanza = Qt::ControlModifier | Qt::ShiftModifier;
        type(u"Pan jest pasterzem"_qs);
        key(Qt::Key_Return);
        type(u"moim, niczego"_qs);
        command(u"screenAdd", Qt::Key_Return, Qt::ControlModifier);
        type(u"mi nie braknie"_qs);
        command(u"stanzaAdd", Qt::Key_Return, stanza);
        type(u"Alleluja, alleluja"_qs);
        command(u"refrainBox", Qt::Key_R, Qt::ControlModifier);
        command(u"stanzaAdd", Qt::Key_Return, stanza);
        type(u"Prowadzi mnie"_qs);
        command(u"stanzaAdd", Qt::Key_Return, stanza);
        type(u"Stol dla mnie"_qs);
        QTest::keyClicks(page()->titleEdit(), u"Pasterz"_qs);
        QCOMPARE(m_frame->windowTitle(), u"Pasterz[*] \u2013 Lumivox"_qs);
        QVERIFY(m_frame->isWindowModified());
        QCOMPARE(page()->form()->heading()->text(), u"Pasterz *"_qs);
        whenShown<TargetGroupDialog>([](TargetGroupDialog *dialog) {
            dialog->groupList()->setCurrentIndex(dialog->groupList()->findText(u"Post"_qs));
            dialog->accept();
        });
        page()->matrix()->setFocus();
        key(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!m_frame->isWindowModified());
        QCOMPARE(page()->form()->heading()->text(), u"Pasterz"_qs);
        QCOMPARE(m_frame->statusBar()->currentMessage(), Lang::text(Txt::SavedStatus).arg(u"0001 Pasterz.txt"_qs));
        type(u"!"_qs);
        QCOMPARE(row(page()->matrix()->text()), u"Stol dla mnie!"_qs);

        Song song;
        QVERIFY(SongFile::load(m_card + u"Post/0001 Pasterz.txt"_qs, song));
        QStringList rows;
        for (int stanza = 0; stanza < song.stanzaCount(); ++stanza) {
            for (int screen = 0; screen < song.screenCount(stanza); ++screen)
                rows << row(song.screenText(stanza, screen)) + u'|' + row(song.screenText(stanza, screen), 1);
        }
        QCOMPARE(rows,
                 (QStringList{u"Pan jest pasterzem|moim, niczego"_qs, u"mi nie braknie|"_qs, u"Alleluja, alleluja|"_qs,
                              u"Prowadzi mnie|"_qs, u"Stol dla mnie|"_qs}));
        QCOMPARE(song.refrainIndex(), 2);
        QCOMPARE(song.sequence(), (QList<int>{1, RefrainMarker, 3, RefrainMarker, 4, RefrainMarker}));
    }

    // Each key of the window's table runs its command, from wherever the keyboard is.
    void keysRunCommands_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("command");
        QTest::newRow("save") << QKeySequence(QKeySequence::Save) << int(Command::SaveItem);
        QTest::newRow("save as slide") << QKeySequence(u"Ctrl+Shift+S"_qs) << int(Command::SaveSlide);
        QTest::newRow("new song") << QKeySequence(QKeySequence::New) << int(Command::NewSong);
        QTest::newRow("report") << QKeySequence(QKeySequence::Print) << int(Command::GenerateReport);
        QTest::newRow("close song") << QKeySequence(u"Ctrl+W"_qs) << int(Command::CloseSong);
    }
    void keysRunCommands()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(int, command);
        m_frame->seams().chooser = [](Shell::Choice, const QString &) { return QString(); };
        QTimer closer; // any dialog the command opens is closed again
        connect(&closer, &QTimer::timeout, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        closer.start(10);
        QSignalSpy triggered(m_frame->action(Command(command)), &QAction::triggered);
        key(Qt::Key(keys[0].key()), keys[0].keyboardModifiers());
        QCOMPARE(triggered.size(), 1);
    }

    // A letter the song's board code cannot keep is refused and named; the others are typed.
    void lettersRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("refused");
        QTest::newRow("cyrillic") << u"Аминь Amen"_qs << u"Amen"_qs << u"ь"_qs;
        QTest::newRow("greek") << u"αω ok"_qs << u"ok"_qs << u"ω"_qs;
        QTest::newRow("polish") << u"Żal ęą"_qs << u"Żal ęą"_qs << QString();
    }
    void lettersRefused()
    {
        QFETCH(QString, refused);
        QFETCH(QString, typed);
        type(typed);
        QTEST(screen(0, 0), "kept");
        const QString status = refused.isEmpty() ? QString() : Lang::text(Txt::LetterNotOnBoard).arg(refused);
        QCOMPARE(m_frame->statusBar()->currentMessage(), status);
        QVERIFY(m_boxes.isEmpty());
    }

    // Pasting such letters asks once: replacing takes the nearest board letters, cancel pastes nothing.
    void pasteAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("rows");
        QTest::newRow("replace") << int(QMessageBox::Yes) << u"Chwała ci|ni hao  x"_qs;
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << u"|"_qs;
    }
    void pasteAsks()
    {
        QFETCH(int, answer);
        answerWith(QMessageBox::StandardButton(answer));
        QApplication::clipboard()->setText(u"Chwała ci\rnǐ hǎo Ωx"_qs);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_asked, QStringList{Lang::text(Txt::PasteForeignQuestion).arg(u"ǐǎΩ"_qs)});
        const QString shown = page()->song().screenText(0, 0);
        QTEST(QString(row(shown) + u'|' + row(shown, 1)), "rows");
    }

    // A number another file holds is asked about before the group: a duplicate beside it, a
    // free number from the map, or nothing written.
    void takenNumberAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("duplicate") << int(QMessageBox::Save) << QStringList{u"0010 Nowa.txt"_qs};
        QTest::newRow("free number") << int(QMessageBox::Retry) << QStringList{u"0001 Nowa.txt"_qs};
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << QStringList();
    }
    void takenNumberAsks()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, written);
        answerWith(QMessageBox::StandardButton(answer));
        type(u"Nowa"_qs);
        QTest::keyClick(page()->numberEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(page()->numberEdit(), u"10"_qs);
        QTest::keyClicks(page()->titleEdit(), u"Nowa"_qs);
        if (answer == QMessageBox::Retry)
            whenShown<SongNumberDialog>([](SongNumberDialog *dialog) { dialog->accept(); }); // the first free number
        if (written.isEmpty())
            QVERIFY(!page()->save());
        else
            saveInto(u"Post"_qs);
        QCOMPARE(m_asked, QStringList{Lang::text(Txt::NumberTakenQuestion).arg(10).arg(u"0010 Gloria"_qs)});
        QCOMPARE(QDir(m_card + u"Post"_qs).entryList(QDir::Files), written);
        QCOMPARE(QDir(m_card + u"Adwent"_qs).entryList(QDir::Files), QStringList{u"0010 Gloria.txt"_qs});
        QCOMPARE(page()->isModified(), written.isEmpty());
    }

    // Ctrl+W asks as switching songs does: the page is left with a new song, or stays as it was.
    void closeSongAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("save") << int(QMessageBox::Yes) << true << QStringList{u"0001 Nowa.txt"_qs};
        QTest::newRow("discard") << int(QMessageBox::No) << true << QStringList();
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << QStringList();
    }
    void closeSongAsks()
    {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(QStringList, written);
        answerWith(QMessageBox::StandardButton(answer));
        type(u"Nowa"_qs);
        QTest::keyClicks(page()->titleEdit(), u"Nowa"_qs);
        QCOMPARE(page()->form()->heading()->text(), u"Nowa *"_qs);
        if (!written.isEmpty())
            whenShown<TargetGroupDialog>([](TargetGroupDialog *dialog) {
                dialog->groupList()->setCurrentIndex(dialog->groupList()->findText(u"Post"_qs));
                dialog->accept();
            });
        page()->matrix()->setFocus();
        key(Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(m_asked, QStringList{Lang::text(Txt::SaveChangesQuestion)});
        QCOMPARE(m_frame->pages()->currentWidget() != page(), closed);
        QCOMPARE(page()->song().title(), closed ? QString() : u"Nowa"_qs);
        QCOMPARE(page()->isModified(), !closed);
        QCOMPARE(QDir(m_card + u"Post"_qs).entryList(QDir::Files), written);
        // The page shown again holds the new song, unchanged.
        if (closed) {
            m_frame->action(Command::TextEditor)->trigger();
            QCOMPARE(page()->form()->heading()->text(), Lang::text(Txt::NewSongTip));
            QVERIFY(!m_frame->isWindowModified());
        }
    }

    // The shortcut list names each command as its menu does, not by what its entry shows now
    // ("Undo: typing"), and names a key once, in its column.
    void shortcutListNamesCommands()
    {
        type(u"ab"_qs);
        QVERIFY(m_frame->action(Command::Undo)->text() != Lang::text(Txt::MenuUndo));
        ShortcutsDialog dialog(m_frame->commands(), m_frame.get());
        QHash<QString, QStringList> keysOf;
        for (int r = 0; r < dialog.list()->topLevelItemCount(); ++r) {
            const QTreeWidgetItem *row = dialog.list()->topLevelItem(r);
            for (const QString &keys : row->text(0).split(u", "_qs))
                QVERIFY2(!row->text(1).contains(u'(' + keys + u')'), qPrintable(row->text(1)));
            keysOf[row->text(1)] << row->text(0);
        }
        const QString undo = Lang::text(Txt::MenuUndo).remove(u'&');
        QCOMPARE(keysOf.value(undo), QStringList{QKeySequence(u"Ctrl+Z"_qs).toString(QKeySequence::NativeText)});
        QCOMPARE(keysOf.value(Lang::text(Txt::ShortcutInText).arg(u"Siatka punktów"_qs)), QStringList{u"F2"_qs});
        QCOMPARE(keysOf.value(Lang::text(Txt::ShortcutInText).arg(u"Znaki specjalne"_qs)), QStringList{u"F3"_qs});
        QCOMPARE(keysOf.value(Lang::text(Txt::MenuCloseSong)), QStringList{u"Ctrl+W"_qs});
    }
};

LUMIVOX_TEST_MAIN_GUI(TestEditorTyping)
#include "tst_editortyping.moc"
