// SPDX-License-Identifier: GPL-3.0-or-later
// Typing in the song editor as a user does: keys go wherever the keyboard is after each command,
// letters the song cannot hold are refused, a taken number is asked about before anything is written.
#include "core/app/language.h"
#include "core/model/songfile.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/songeditorpage.h"
#include "gui/editor/songnumberdialog.h"
#include "gui/editor/titleedit.h"
#include "gui/library/librarypanel.h"
#include "gui/library/targetgroupdialog.h"
#include "gui/main/mainwindow.h"
#include "librarytestsupport.h"
#include "testappcore.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>

using namespace LibraryTest;

namespace {

// The first row of a screen text without its trailing blanks.
QString firstRow(const QString &screen)
{
    QString row = screen.left(20);
    while (row.endsWith(u' '))
        row.chop(1);
    return row;
}

} // namespace

class TestEditorTyping : public PanelTest
{
    Q_OBJECT

    QString m_card;

    SongEditorPage *page() const { return m_panel->editorPage(); }
    QAbstractButton *button(const QString &name) const { return page()->findChild<QAbstractButton *>(name); }
    // Keys go where the keyboard is, not to a widget the test picks.
    void type(const QString &text) const
    {
        QApplication::setActiveWindow(m_frame.get());
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        // A key per character, any script: the key code of a letter is its upper-case code point.
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, focus, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const
    {
        QApplication::setActiveWindow(m_frame.get());
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void click(const QString &name) const
    {
        QAbstractButton *target = button(name);
        // A check box toggles on its box, not on the right end of its label.
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(6, target->height() / 2));
    }
    QString screen(int stanza, int screen) const { return firstRow(page()->song().screenText(stanza, screen)); }
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
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("stanzas");
        QTest::addColumn<int>("stanza");
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("text");
        QTest::newRow("stanza add") << u"stanzaAdd"_qs << 2 << 1 << 0 << u"x y z"_qs;
        QTest::newRow("screen add") << u"screenAdd"_qs << 1 << 0 << 1 << u"x y z"_qs;
        QTest::newRow("screen clear") << u"screenClear"_qs << 1 << 0 << 0 << u"x y z"_qs;
        QTest::newRow("refrain") << u"refrainBox"_qs << 1 << 0 << 0 << u"abx y z"_qs;
        QTest::newRow("grid") << u"grid"_qs << 1 << 0 << 0 << u"abx y z"_qs;
        QTest::newRow("stanza add, back") << u"stanzaAdd,stanzaPrevious"_qs << 2 << 0 << 0 << u"x y zab"_qs;
    }
    void typingAfterCommand()
    {
        QFETCH(QString, command);
        QFETCH(int, stanzas);
        QFETCH(int, stanza);
        QFETCH(int, screen);
        QFETCH(QString, text);
        type(u"ab"_qs);
        for (const QString &name : command.split(u','))
            click(name);
        QCOMPARE(QApplication::focusWidget(), page()->matrix());
        type(u"x y z"_qs);
        QCOMPARE(page()->song().stanzaCount(), stanzas);
        QCOMPARE(page()->song().currentStanza(), stanza);
        QCOMPARE(page()->song().currentScreen(), screen);
        QCOMPARE(this->screen(stanza, screen), text);
    }

    // Undo from the Edit menu puts the cursor back where the typing went on.
    void typingAfterUndo()
    {
        type(u"ab"_qs);
        click(u"stanzaAdd"_qs);
        m_frame->action(Command::Undo)->trigger();
        QCOMPARE(page()->song().stanzaCount(), 1);
        type(u"c"_qs);
        QCOMPARE(screen(0, 0), u"abc"_qs);
    }

    // A hymn of three stanzas and a refrain, typed from the keys or with the buttons between the
    // stanzas, comes out of the file exactly as typed.
    void hymnTyped_data()
    {
        QTest::addColumn<bool>("buttons");
        QTest::newRow("keys") << false;
        QTest::newRow("buttons") << true;
    }
    void hymnTyped()
    {
        QFETCH(bool, buttons);
        const auto newStanza = [this, buttons] {
            if (buttons)
                click(u"stanzaAdd"_qs);
            else
                key(Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
        };
        type(u"Pan jest pasterzem"_qs);
        key(Qt::Key_Return);
        type(u"moim, niczego"_qs);
        if (buttons)
            click(u"screenAdd"_qs);
        else
            key(Qt::Key_Return, Qt::ControlModifier);
        type(u"mi nie braknie"_qs);
        newStanza();
        type(u"Alleluja, alleluja"_qs);
        if (buttons)
            click(u"refrainBox"_qs);
        else
            key(Qt::Key_R, Qt::ControlModifier);
        newStanza();
        type(u"Prowadzi mnie"_qs);
        newStanza();
        type(u"Stol dla mnie"_qs);
        QTest::keyClicks(page()->titleEdit(), u"Pasterz"_qs);
        saveInto(u"Post"_qs);

        Song song;
        QVERIFY(SongFile::load(m_card + u"Post/0001 Pasterz.txt"_qs, song));
        QCOMPARE(song.stanzaCount(), 4);
        QCOMPARE(song.refrainIndex(), 2);
        QCOMPARE(song.screenCount(0), 2);
        const QString first = song.screenText(0, 0);
        QCOMPARE(firstRow(first), u"Pan jest pasterzem"_qs);
        QCOMPARE(firstRow(first.mid(20)), u"moim, niczego"_qs);
        QCOMPARE(firstRow(song.screenText(0, 1)), u"mi nie braknie"_qs);
        QCOMPARE(firstRow(song.screenText(1, 0)), u"Alleluja, alleluja"_qs);
        QCOMPARE(firstRow(song.screenText(2, 0)), u"Prowadzi mnie"_qs);
        QCOMPARE(firstRow(song.screenText(3, 0)), u"Stol dla mnie"_qs);
        QCOMPARE(song.sequence(), (QList<int>{1, RefrainMarker, 3, RefrainMarker, 4, RefrainMarker}));
        for (int stanza = 1; stanza < 4; ++stanza)
            QCOMPARE(song.screenCount(stanza), 1);
    }

    // A letter the song's board code cannot keep is refused and named; the others are typed.
    void lettersRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("refused");
        QTest::newRow("cyrillic") << u"Аминь Amen"_qs << u" Amen"_qs << u"ь"_qs;
        QTest::newRow("greek") << u"αω ok"_qs << u" ok"_qs << u"ω"_qs;
        QTest::newRow("polish") << u"Żal ęą"_qs << u"Żal ęą"_qs << QString();
    }
    void lettersRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, refused);
        m_frame->statusBar()->clearMessage();
        type(typed);
        QCOMPARE(screen(0, 0), kept);
        const QString status = m_frame->statusBar()->currentMessage();
        QCOMPARE(status, refused.isEmpty() ? QString() : Lang::text(Txt::LetterNotOnBoard).arg(refused));
        QVERIFY(m_boxes.isEmpty());
    }

    // Pasting such letters asks once: replacing takes the nearest board letters, cancel pastes nothing.
    void pasteAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("row0");
        QTest::addColumn<QString>("row1");
        QTest::newRow("replace") << int(QMessageBox::Yes) << u"Chwała ci"_qs << u"ni hao  x"_qs;
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << QString() << QString();
    }
    void pasteAsks()
    {
        QFETCH(int, answer);
        QFETCH(QString, row0);
        QFETCH(QString, row1);
        QStringList asked;
        MessageBoxes::setResponder([&](const MessageBoxes::Request &request) {
            asked << request.text;
            return QMessageBox::StandardButton(answer);
        });
        QApplication::clipboard()->setText(u"Chwała ci\rnǐ hǎo Ωx"_qs);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(asked, QStringList{Lang::text(Txt::PasteForeignQuestion).arg(u"ǐǎΩ"_qs)});
        QCOMPARE(screen(0, 0), row0);
        QCOMPARE(firstRow(page()->song().screenText(0, 0).mid(20)), row1);
        QCOMPARE(page()->isModified(), answer == QMessageBox::Yes);
    }

    // A number another file holds is asked about before the group: a duplicate beside it, a
    // free number from the map, or nothing written.
    void takenNumberAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("written");
        QTest::newRow("duplicate") << int(QMessageBox::Save) << u"Post/0010 Nowa.txt"_qs;
        QTest::newRow("free number") << int(QMessageBox::Retry) << u"Post/0001 Nowa.txt"_qs;
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << QString();
    }
    void takenNumberAsks()
    {
        QFETCH(int, answer);
        QFETCH(QString, written);
        QList<MessageBoxes::Request> asked;
        MessageBoxes::setResponder([&](const MessageBoxes::Request &request) {
            asked << request;
            return QMessageBox::StandardButton(answer);
        });
        type(u"Nowa"_qs);
        QTest::keyClick(page()->numberEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(page()->numberEdit(), u"10"_qs);
        QTest::keyClicks(page()->titleEdit(), u"Nowa"_qs);
        bool mapShown = false;
        if (answer == QMessageBox::Retry) {
            whenShown<SongNumberDialog>([&mapShown](SongNumberDialog *dialog) {
                mapShown = true;
                dialog->accept(); // the first free number is chosen
            });
        }
        if (written.isEmpty())
            QVERIFY(!page()->save());
        else
            saveInto(u"Post"_qs);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().text, Lang::text(Txt::NumberTakenQuestion).arg(10).arg(u"0010 Gloria"_qs));
        QCOMPARE(asked.first().defaultButton, QMessageBox::Retry);
        QCOMPARE(mapShown, answer == QMessageBox::Retry);
        const QStringList expected = written.isEmpty() ? QStringList() : QStringList{written.mid(5)};
        QCOMPARE(QDir(m_card + u"Post"_qs).entryList(QDir::Files), expected);
        QCOMPARE(QDir(m_card + u"Adwent"_qs).entryList(QDir::Files), QStringList{u"0010 Gloria.txt"_qs});
        QCOMPARE(page()->isModified(), written.isEmpty());
    }

    // The open song saved under its own number is not asked about.
    void ownNumberNotAsked()
    {
        QVERIFY(page()->openSong(m_card + u"Adwent/0010 Gloria.txt"_qs));
        page()->matrix()->setFocus();
        type(u"G"_qs);
        QVERIFY(page()->save());
        QVERIFY(m_boxes.isEmpty());
    }
};

LUMIVOX_TEST_MAIN_GUI(TestEditorTyping)
#include "tst_editortyping.moc"
