// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's side dialogs: song structure view, character palette, text import.
#include "core/app/language.h"
#include "core/editor/textimport.h"
#include "core/model/song.h"
#include "gui/editor/characterpalette.h"
#include "gui/editor/importtextedit.h"
#include "gui/editor/ledmatrix.h"
#include "gui/widgets/songeditorlink.h"
#include "gui/widgets/songstructuredialog.h"
#include "gui/editor/textimportdialog.h"
#include "gui/main/mainwindow.h"
#include "librarytestsupport.h"
#include "testappcore.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QStackedWidget>

namespace {

// The editor page as the dialogs see it: a song and the calls they make.
struct FakeEditor : SongEditorLink
{
    Song song;
    int stores = 0;
    QList<QPair<int, int>> shown;

    Song &editedSong() override { return song; }
    void storeScreen() override { ++stores; }
    void showScreen(int stanza, int screen) override
    {
        song.setCursor(stanza, screen);
        shown << qMakePair(stanza, screen);
    }
};

Song songOf(const QList<QStringList> &stanzas)
{
    Song song;
    for (const QStringList &screens : stanzas) {
        const int stanza = song.insertStanzaAfterCurrent();
        for (int k = 0; k < screens.size(); ++k) {
            if (k > 0)
                song.addScreenAfterCurrent();
            song.setScreenText(stanza, k, screens[k]);
        }
    }
    song.setDefaultSequence();
    song.setCursor(0, 0);
    return song;
}

QTreeWidgetItem *lineItem(QTreeWidget *tree, int stanza, int screen, int line)
{
    return tree->topLevelItem(stanza)->child(screen)->child(line);
}

void doubleClick(QTreeWidget *tree, QTreeWidgetItem *item)
{
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    // What a real double click delivers: press, release, double click, release.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, at);
}

QString lines(const QStringList &list)
{
    return list.join(u'\n');
}

} // namespace

class TestEditorDialogs : public LibraryTest::PanelTest
{
    Q_OBJECT

    BoardFont m_latin;

private slots:
    void initTestCase() { QVERIFY(FontFile::load(TestSupport::sourceDir() + u"/data/Font/Font_V1.fnt", m_latin)); }
    void init() { setUpPanelTests(); } // afresh: a test changes the language table

    // --- song structure view ---

    void structureViews()
    {
        const Song song = songOf({{u"Gloria"_qs, QString(), u"x"_qs}, {u"B"_qs}});
        SongStructureDialog view(song, nullptr);
        seamed(&view);
        QTreeWidget *tree = view.tree();
        QCOMPARE(tree->topLevelItemCount(), 2);
        QCOMPARE(tree->topLevelItem(1)->text(0), u"Zwrotka 2"_qs);
        QCOMPARE(tree->topLevelItem(0)->child(0)->childCount(), 10);
        QCOMPARE(lineItem(tree, 0, 0, 0)->text(0), u"Gloria"_qs + QString(14, u' '));
        QCOMPARE(lineItem(tree, 0, 0, 0)->foreground(0).color(), QColor(0xFB, 0xBE, 0x31));

        view.setExtended(false);
        QCOMPARE(tree->topLevelItem(0)->child(0)->text(0), u"1 X  3 "_qs);
        QCOMPARE(tree->topLevelItem(0)->childCount(), 1);

        // The six-row board: six lines of sixteen characters.
        AppSettings &settings = m_app->core().settings();
        settings.setMaxY(6);
        settings.setMaxX(16);
        SongStructureDialog small(song, nullptr);
        seamed(&small);
        settings.setMaxY(10);
        settings.setMaxX(20);
        QCOMPARE(small.tree()->topLevelItem(0)->child(0)->childCount(), 6);
        QCOMPARE(lineItem(small.tree(), 0, 0, 0)->text(0).size(), 16);

        const Song empty;
        SongStructureDialog none(empty, nullptr);
        seamed(&none);
        QCOMPARE(none.tree()->topLevelItem(0)->text(0), Lang::text(Txt::StructureEmpty));
    }

    // Opened from the editor a double click on a line moves it there, whatever the texts say;
    // opened from elsewhere nothing moves.
    void doubleClickOnALine_data()
    {
        QTest::addColumn<QByteArray>("texts");
        QTest::addColumn<bool>("fromEditor");
        QTest::newRow("shipped texts") << QByteArray() << true;
        QTest::newRow("numbers placed elsewhere") << QByteArray("380=%1. zwrotka\n381=ekran: %1\n") << true;
        QTest::newRow("no editor") << QByteArray() << false;
    }
    void doubleClickOnALine()
    {
        QFETCH(QByteArray, texts);
        QFETCH(bool, fromEditor);
        if (!texts.isEmpty()) {
            QFile file(TestSupport::shippedLanguageDir() + u"Polski.lang");
            QVERIFY(file.open(QIODevice::ReadOnly));
            QByteArray bytes = file.readAll() + '\n' + texts;
            QBuffer buffer(&bytes);
            QVERIFY(buffer.open(QIODevice::ReadOnly));
            QVERIFY(Lang::table().read(buffer));
        }
        FakeEditor editor;
        editor.song = songOf({{u"a"_qs}, {u"b1"_qs, u"b2"_qs, u"b3"_qs}});
        SongStructureDialog view(editor.song, fromEditor ? &editor : nullptr);
        seamed(&view);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        doubleClick(view.tree(), lineItem(view.tree(), 1, 2, 4));
        QCOMPARE(editor.stores, fromEditor ? 1 : 0);
        QCOMPARE(editor.shown.size(), fromEditor ? 1 : 0);
        if (fromEditor)
            QCOMPARE(editor.shown.first(), qMakePair(1, 2));
        QCOMPARE(view.isVisible(), !fromEditor);
    }

    // --- character palette ---

    void paletteTypesIntoTheMatrix()
    {
        MainWindow window;
        auto *matrix = new LedMatrix;
        window.pages()->addWidget(matrix);
        matrix->setBoardFont(&m_latin, {});
        matrix->setReadOnly(false);
        matrix->setText(u"ab"_qs);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        matrix->setFocus();
        QTest::keyClick(matrix, Qt::Key_Right);

        CharacterPalette &palette = *window.characterPalette();
        QVERIFY(palette.isHidden());
        QVERIFY(palette.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
        QCOMPARE(palette.letterButtons().size(), 115);
        QAbstractButton *sharpS = palette.letterButtons().at(24);
        QCOMPARE(sharpS->text(), u"ß"_qs);
        QVERIFY(!sharpS->isEnabled()); // no target yet
        palette.setTarget(matrix, true);
        palette.showPalette();
        QVERIFY(QTest::qWaitForWindowExposed(&palette));
        // The offscreen platform activates every window it shows; a desktop does not activate
        // a window that takes no focus. What is tested here: a click does not move the focus.
        window.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &window);

        QTest::mouseClick(sharpS, Qt::LeftButton);
        QCOMPARE(matrix->text().left(4), u"aßb "_qs);
        QCOMPARE(matrix->model().column(), 2);
        QCOMPARE(matrix->cellColumns(1), m_latin.glyphs[0xDF].columns);

        // The matrix kept the focus: the next key lands in it.
        QCOMPARE(QApplication::focusWidget(), matrix);
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Z, {}, -1);
        QCOMPARE(matrix->text().left(5), u"aßzb "_qs);

        QTest::keyClick(matrix, Qt::Key_Insert);                          // overwrite
        QAbstractButton *dotE = palette.letterButtons().at(115 - 18 + 7); // in the last group
        QCOMPARE(dotE->text(), u"Ė"_qs);
        QTest::mouseClick(dotE, Qt::LeftButton);
        QCOMPARE(matrix->text().left(5), u"aßzĖ "_qs);
        QCOMPARE(matrix->cellColumns(3), m_latin.glyphs[0xC3].columns);

        palette.setTarget(matrix, false); // a Cyrillic song
        QVERIFY(!sharpS->isEnabled());
        palette.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        QVERIFY(palette.isHidden());
    }

    // --- text import ---

    void aPasteBecomesStanzasAndScreens()
    {
        QStringList text;
        for (int i = 1; i <= 12; ++i)
            text << u"Linia %1"_qs.arg(i);
        text << QString() << u"1. Druga zwrotka"_qs << u"koniec"_qs;
        QApplication::clipboard()->setText(text.join(u"\r\n"));

        FakeEditor editor;
        editor.song = songOf({{QString()}});
        bool checkedBand = false;
        LibraryTest::whenShown<TextImportDialog>([&](TextImportDialog *dialog) {
            ImportTextEdit *area = dialog->textArea();
            QCOMPARE(area->lines().size(), 22);
            QCheckBox *second = dialog->blockBox(1);
            QVERIFY(second);
            QCOMPARE(second->text(), Lang::text(Txt::ImportNewStanza));
            const QPoint inBand(2, area->lineTop(10) + area->lineHeight() / 2);
            QCOMPARE(area->viewport()->grab().toImage().pixelColor(inBand), ImportTextEdit::kNewStanza);
            second->click();
            QCOMPARE(second->text(), Lang::text(Txt::ImportContinuation));
            QCOMPARE(area->viewport()->grab().toImage().pixelColor(inBand), ImportTextEdit::kContinuation);
            checkedBand = true;
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        QVERIFY(TextImportDialog::importInto(editor, host()));
        QVERIFY(checkedBand);
        const Song &song = editor.song;
        QCOMPARE(song.stanzaCount(), 2);
        QCOMPARE(song.screenCount(0), 2);
        QCOMPARE(song.lineText(0, 1, 1).trimmed(), u"Linia 12"_qs);
        QCOMPARE(song.lineText(1, 0, 0).trimmed(), u"1. Druga zwrotka"_qs);
        QCOMPARE(song.sequence(), (QList<int>{1, 2}));
        QCOMPARE(editor.stores, 1);
        QCOMPARE(editor.shown, (QList<QPair<int, int>>{{0, 0}}));
        QVERIFY(m_boxes.isEmpty());
    }

    void whatDoesNotFitIsReported()
    {
        QApplication::clipboard()->setText(u"Ж"_qs + QString(25 * 20, u'x') + u"\n\n" + QString(50 * 1000, u'y'));
        FakeEditor editor;
        editor.song = songOf(QList<QStringList>(31, {u"z"_qs}));
        LibraryTest::whenShown<TextImportDialog>([](TextImportDialog *dialog) { dialog->accept(); });
        QVERIFY(TextImportDialog::importInto(editor, host()));
        QCOMPARE(editor.song.stanzaCount(), 32);
        QCOMPARE(m_boxes.texts(),
                 QStringList({Lang::text(Txt::ImportIncomplete).arg(1).arg(253),
                              Lang::text(Txt::ImportForeignLetters).arg(u"Ж"_qs)}));
    }

    void typingIsWrappedAtOnce()
    {
        ImportTextEdit area;
        area.show();
        area.setFocus();
        QTest::keyClicks(&area, u"Lorem ipsum dolor sit"_qs);
        QCOMPARE(lines(area.lines()), u"Lorem ipsum dolor\nsit"_qs);
        QCOMPARE(area.textCursor().position(), 21);

        // Typing inside a full line pushes its last word down and the cursor stays in place.
        area.setLines({u"Lorem ipsum dolor am"_qs});
        QTextCursor cursor = area.textCursor();
        cursor.setPosition(11);
        area.setTextCursor(cursor);
        QTest::keyClicks(&area, u"x"_qs);
        QCOMPARE(lines(area.lines()), u"Lorem ipsumx dolor\nam"_qs);
        QCOMPARE(area.textCursor().position(), 12);

        // A paste with a tab and a 30-letter word: nothing over 20, nothing lost.
        area.setLines({});
        QApplication::clipboard()->setText(u"a\tb "_qs + QString(30, u'w'));
        area.paste();
        QCOMPARE(lines(area.lines()), u"a b\n"_qs + QString(20, u'w') + u'\n' + QString(10, u'w'));
    }
};

LUMIVOX_TEST_MAIN_GUI(TestEditorDialogs)
#include "tst_editordialogs.moc"
