// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds: every focusable control of every window named, the drawn widgets
// with interfaces of their own, the matrix's text with its caret.
#include "core/library/librarynaming.h"
#include "core/library/librarynumbertable.h"
#include "core/library/songlibrary.h"
#include "core/model/songfile.h"
#include "core/music/musicplayer.h"
#include "gui/app/dialogtext.h"
#include "gui/app/helpwindow.h"
#include "gui/card/appendedfilesdialog.h"
#include "gui/card/cardlabeldialog.h"
#include "gui/card/cardwizard.h"
#include "gui/card/importsongsdialog.h"
#include "gui/editor/characterpalette.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/slidenumberdialog.h"
#include "gui/editor/songeditorpage.h"
#include "gui/editor/songnumberdialog.h"
#include "gui/editor/textimportdialog.h"
#include "gui/font/fonteditor.h"
#include "gui/library/groupcoloursdialog.h"
#include "gui/library/groupeditdialog.h"
#include "gui/library/issuewindow.h"
#include "gui/library/lyricimportdialogs.h"
#include "gui/library/searchdialog.h"
#include "gui/main/aboutdialog.h"
#include "gui/main/accessiblefactory.h"
#include "gui/main/settingsdialog.h"
#include "gui/main/shortcutsdialog.h"
#include "gui/music/musictimingdialog.h"
#include "gui/music/streamingmusicplayer.h"
#include "gui/playlist/insertsongdialog.h"
#include "gui/playlist/playlistpage.h"
#include "gui/report/reportdialog.h"
#include "gui/widgets/namedialog.h"
#include "gui/widgets/newgroupdialog.h"
#include "gui/widgets/numbermap.h"
#include "gui/widgets/playlistnamedialog.h"
#include "gui/widgets/songstructuredialog.h"
#include "gui/widgets/targetgroupdialog.h"
#include "gui/widgets/timingbar.h"
#include "librarytestsupport.h"
#include "refrainsong.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>

using namespace LibraryTest;

namespace {

QString describe(const QWidget *widget)
{
    QString path;
    for (const QWidget *w = widget; w && !w->isWindow(); w = w->parentWidget())
        path.prepend(u'/' + QString::fromLatin1(w->metaObject()->className()) + u'#' + w->objectName());
    return path;
}

// The classes that draw themselves and must bring their own interface.
bool drawnWidget(const QWidget *widget)
{
    return qobject_cast<const LedMatrix *>(widget) || qobject_cast<const NumberMap *>(widget)
        || qobject_cast<const TimingBar *>(widget) || widget->inherits("GlyphCell");
}

// Walks the accessible tree below iface: focusable controls without a name, drawn widgets
// answered by the generic interface.
void walk(QAccessibleInterface *iface, QStringList &faults, int depth = 0)
{
    if (!iface || !iface->isValid() || depth > 60)
        return;
    if (auto *widget = qobject_cast<QWidget *>(iface->object())) {
        const QAccessible::State state = iface->state();
        if (state.focusable && !state.invisible && iface->text(QAccessible::Name).trimmed().isEmpty())
            faults << u"no name: "_qs + describe(widget);
        if (drawnWidget(widget) && iface->role() == QAccessible::Client)
            faults << u"no interface: "_qs + describe(widget);
    }
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), faults, depth + 1);
}

} // namespace

class TestAccessibility : public PanelTest
{
    Q_OBJECT

    QString m_card;
    LibraryNumberTable m_songs{LibraryNaming::kSongTableSize};
    LibraryNumberTable m_slides{LibraryNaming::kSlideTableSize};
    Song m_song = refrainSong(QStringLiteral("Gloria"));
    std::unique_ptr<MusicPlayer> m_player;
    SongLibrary m_library;
    QList<SongGroup> m_groups{SongGroup{QStringLiteral("Kolędy"), SongGroup::kWhite, 1, 1}};

    std::unique_ptr<QWidget> window(const QString &name)
    {
        const QString dir = m_cards.path(QString());
        if (name == u"settings")
            return std::make_unique<SettingsDialog>(TestSupport::shippedLanguageDir(), m_app->core().settings());
        if (name == u"about")
            return std::make_unique<AboutDialog>();
        if (name == u"shortcuts")
            return std::make_unique<ShortcutsDialog>(m_frame->commands());
        if (name == u"search")
            return std::make_unique<SearchDialog>(QString());
        if (name == u"new group")
            return std::make_unique<NewGroupDialog>(dir);
        if (name == u"playlist name")
            return std::make_unique<PlaylistNameDialog>(QStringLiteral("Niedziela"));
        if (name == u"group edit")
            return std::make_unique<GroupEditDialog>(m_groups.first(), QStringList{QStringLiteral("Kolędy")});
        if (name == u"group colours")
            return std::make_unique<GroupColoursDialog>(m_groups, QStringList{QStringLiteral("Kolędy")},
                                                        [] { return true; });
        if (name == u"issues")
            return std::make_unique<IssueWindow>();
        if (name == u"import options")
            return std::make_unique<LyricImportOptions>(
                LyricImport::BatchFacts{{QStringLiteral("A"), QStringLiteral("B")}, {QStringLiteral("pl")}, true});
        if (name == u"import report")
            return std::make_unique<LyricImportReport>(QList<LyricImport::FileResult>{{}});
        if (name == u"target group")
            return std::make_unique<TargetGroupDialog>(QStringList{QStringLiteral("Kolędy")}, QString(), m_card);
        if (name == u"structure")
            return std::make_unique<SongStructureDialog>(m_song, nullptr);
        if (name == u"insert song") {
            auto dialog = std::make_unique<InsertSongDialog>(m_card + u"Adwent/0010 Gloria.txt"_qs, false);
            dialog->loadSong();
            return dialog;
        }
        if (name == u"palette")
            return std::make_unique<CharacterPalette>();
        if (name == u"text import")
            return std::make_unique<TextImportDialog>(QStringLiteral("Gloria\nna wysokości"));
        if (name == u"song numbers")
            return std::make_unique<SongNumberDialog>(0, m_songs);
        if (name == u"slide numbers")
            return std::make_unique<SlideNumberDialog>(0, QString(), m_slides);
        if (name == u"card wizard")
            return std::make_unique<CardWizard>(m_card, dir + u"Backups"_qs, m_drives, nullptr);
        if (name == u"card label")
            return std::make_unique<CardLabelDialog>(QStringLiteral("CARD"));
        if (name == u"appended files")
            return std::make_unique<AppendedFilesDialog>(QList<CardChangeRecord>{{}});
        if (name == u"import songs")
            return std::make_unique<ImportSongsDialog>(m_app->core(), m_card);
        if (name == u"font editor")
            return std::make_unique<FontEditor>(m_app->core());
        if (name == u"music timing")
            return std::make_unique<MusicTimingDialog>(m_song, *m_player, m_app->core().settings());
        if (name == u"report")
            return std::make_unique<ReportDialog>(m_library, dir);
        if (name == u"help")
            return std::make_unique<HelpWindow>();
        if (name == u"name")
            return std::make_unique<NameDialog>(int(Txt::ButtonOk), int(Txt::ButtonOk), QStringLiteral("x"));
        return {};
    }

private slots:
    void initTestCase() { installAccessibleFactory(); }
    void init()
    {
        setUpPanelTests();
        m_card = m_cards.next();
        TestSupport::writeFile(m_card + u"Adwent/0010 Gloria.txt"_qs, TestSupport::songBytes('x'));
        TestSupport::writeFile(m_card + u"screen_dir/0005 Witamy.ekr"_qs, TestSupport::songBytes('s'));
        openPanel(m_card);
        MusicBackendOptions options;
        options.silent = true;
        m_player = createMusicPlayer(options);
    }
    void cleanup()
    {
        m_frame.reset();
        m_player.reset();
    }

    void pagesNamed_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("editor") << "editor";
        QTest::newRow("playlist") << "playlist";
    }
    void pagesNamed()
    {
        QFETCH(QString, page);
        m_frame->pages()->setCurrentWidget(page == u"editor" ? static_cast<QWidget *>(m_frame->editorPage())
                                                             : m_frame->playlistPage());
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
        QStringList faults;
        walk(QAccessible::queryAccessibleInterface(m_frame.get()), faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    void windowsNamed_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"settings",       "about",        "shortcuts",     "search",       "new group",
                                 "playlist name",  "group edit",   "group colours", "issues",       "import options",
                                 "import report",  "target group", "structure",     "insert song",  "palette",
                                 "text import",    "song numbers", "slide numbers", "card wizard",  "card label",
                                 "appended files", "import songs", "font editor",   "music timing", "report",
                                 "help",           "name"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void windowsNamed()
    {
        QFETCH(QString, name);
        const std::unique_ptr<QWidget> shown = window(name);
        QVERIFY(shown);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        QStringList faults;
        walk(QAccessible::queryAccessibleInterface(shown.get()), faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // A button row hands the focus on to its button and must not report it as its own: a screen
    // reader would find an unnamed focused panel beside the button.
    void buttonRowNotFocused()
    {
        QDialog dialog;
        QDialogButtonBox *buttons = okCancelButtons(&dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        buttons->button(QDialogButtonBox::Ok)->setFocus();
        QVERIFY(buttons->hasFocus()); // through Qt's focus proxy
        QVERIFY(!QAccessible::queryAccessibleInterface(buttons)->state().focused);
    }

    // Tab walks each dialog in reading order, and Enter has a default button to press.
    void tabOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("chain");
        QTest::addColumn<QString>("defaultButton");
        const char *rows[][3] = {
            {"settings",
             "Polski > Katalog z muzyką > Wybierz… > Czcionka dźwiękowa MIDI: > Wybierz… > 10 wierszy > OK > Anuluj",
             "OK"},
            {"search", "według nazwy utworu > OK > Anuluj > według nazwy utworu", "OK"},
            {"group edit", "Wybierz z listy > Kolędy > Kolor grupy > Od > Do > OK > Anuluj", "OK"},
            {"insert song",
             "Tytuł utworu: > Numer utworu: > Liczba zwrotek: > Poprzednia zwrotka > Zwrotka (zwykła) > "
             "Następna zwrotka > Ekran: > Dodaj piosenkę > OK > Info > Anuluj",
             "OK"},
            {"slide numbers", "Mapa numerów slajdów > Tytuł slajdu > OK > Anuluj", "OK"},
            {"import songs",
             "Lista plików niewystępujących w programie > Dodaj do grupy > Nowa > Tylko wolne numery > OK > Anuluj",
             "OK"},
            {"font editor",
             "Kropki znaku: 0, ASCII:  > Przesuń znak o jeden wiersz w górę > Przesuń znak o jeden wiersz w dół > "
             "Poprzedni znak > Numer: > Numer szesnastkowo > Następny znak > M > Dostępne czcionki > Dodaj > Usuń",
             "OK"},
            {"music timing", "Brak pliku > Muzyka utworu > OK > Anuluj", "OK"},
            {"report", "Teksty pieśni > Plik raportu: > Wybierz plik raportu > Generuj > OK > Anuluj", "OK"},
            {"card wizard", "Zapisz dane na kartę pamięci > Biblioteka na komputerze > Na > Dalej > > Anuluj", "Dalej >"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1])
                                  << QString::fromUtf8(row[2]);
    }
    void tabOrder()
    {
        QFETCH(QString, name);
        QFETCH(QString, chain);
        QFETCH(QString, defaultButton);
        const std::unique_ptr<QWidget> shown = window(name);
        shown->show();
        QApplication::setActiveWindow(shown.get());
        QVERIFY(QTest::qWaitForWindowActive(shown.get()));
        QStringList names;
        QWidget *first = QApplication::focusWidget();
        QVERIFY(first);
        for (QWidget *at = first; names.size() < 40;) {
            names << QAccessible::queryAccessibleInterface(at)->text(QAccessible::Name).remove(u'&');
            QTest::keyClick(at, Qt::Key_Tab);
            at = QApplication::focusWidget();
            if (at == first)
                break;
        }
        QCOMPARE(names.join(u" > ").replace(m_card, u"<card>"_qs).left(chain.size()), chain);
        QString pressed;
        for (QPushButton *button : shown->findChildren<QPushButton *>()) {
            if (button->isDefault() && button->isVisible())
                pressed = button->text().remove(u'&');
        }
        QCOMPARE(pressed, defaultButton);
    }

    // The matrix's text interface after typing: ten lines of twenty, the caret on the cell the
    // cursor is on, the selection as offsets.
    void matrixText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("secondLine");
        QTest::addColumn<QPoint>("selection");
        const QString blank(MatrixText::kColumns, u' ');
        QTest::newRow("letters") << "Ab" << QList<int>{} << 2 << "Ab" << blank << QPoint();
        QTest::newRow("Enter starts the second line")
            << "Ab" << QList<int>{Qt::Key_Return} << 21 << "Ab" << blank << QPoint();
        QTest::newRow("Enter splits the line") << "Abc" << QList<int>{Qt::Key_Left, Qt::Key_Return} << 21 << "Ab"
                                               << QString(u"c" + blank.left(19)) << QPoint();
        QTest::newRow("down a line") << "A" << QList<int>{Qt::Key_Down} << 22 << "A" << blank << QPoint();
        QTest::newRow("backspace") << "Ab" << QList<int>{Qt::Key_Backspace} << 1 << "A" << blank << QPoint();
        QTest::newRow("select all") << "A" << QList<int>{Qt::Key_A | Qt::ControlModifier} << 1 << "A" << blank
                                    << QPoint(0, 209);
    }
    void matrixText()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, keys);
        QFETCH(int, caret);
        QFETCH(QString, firstLine);
        QFETCH(QString, secondLine);
        QFETCH(QPoint, selection);
        LedMatrix matrix;
        matrix.setReadOnly(false);
        matrix.setScreenCaption(u"Zwrotka 1/2"_qs);
        QTest::keyClicks(&matrix, typed);
        for (int key : keys)
            QTest::keyClick(&matrix, Qt::Key(key & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));

        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&matrix);
        QVERIFY(iface);
        QAccessibleTextInterface *text = iface->textInterface();
        QVERIFY(text);
        QCOMPARE(iface->role(), QAccessible::EditableText);
        const QString name = Lang::text(Txt::A11yMatrixName) + QStringLiteral(", Zwrotka 1/2");
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(text->characterCount(), 10 * 21 - 1);
        const QStringList lines = text->text(0, text->characterCount()).split(u'\n');
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[1], secondLine);
        QCOMPARE(lines[0].trimmed(), firstLine);
        QCOMPARE(text->cursorPosition(), caret);
        QCOMPARE(text->selectionCount(), selection.isNull() ? 0 : 1);
        if (!selection.isNull()) {
            int start = -1, end = -1;
            text->selection(0, &start, &end);
            QCOMPARE(QPoint(start, end), selection);
        }
        // And back: a caret put through the interface moves the matrix's cursor.
        text->setCursorPosition(2 * 21 + 3);
        QCOMPARE(matrix.model().cursorCell(), 2 * MatrixText::kColumns + 3);
    }

    // The song map from the keyboard: arrows move the current cell and scroll, Enter chooses a
    // free number and, on the chosen one, confirms; the table reports the current cell.
    void numberMapKeys()
    {
        m_songs.entry(2).used = true;
        m_songs.entry(2).fileName = u"0002 Gloria"_qs;
        SongNumberDialog dialog(0, m_songs);
        seamed(&dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *map = dialog.findChild<NumberMap *>();
        map->setFocus();
        QCOMPARE(map->currentNumber(), 1);
        QTest::keyClick(map, Qt::Key_Right);
        QTest::keyClick(map, Qt::Key_Return); // taken: told, not chosen
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::NumberMapNumberTaken)});
        QCOMPARE(map->chosenNumber(), 0);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(map);
        QAccessibleTableInterface *table = iface->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->columnCount(), 40);
        QCOMPARE(table->cellAt(0, 1)->text(QAccessible::Name), u"2, Gloria"_qs);
        QCOMPARE(table->cellAt(0, 2)->text(QAccessible::Name), u"3, "_qs + Lang::text(Txt::A11yNumberFree));
        for (int i = 0; i < 25; ++i)
            QTest::keyClick(map, Qt::Key_Down);
        QCOMPARE(map->currentNumber(), 2 + 25 * 40);
        QCOMPARE(dialog.scrollBar()->value(), 1); // scrolled one row with the keyboard
        QCOMPARE(iface->focusChild()->text(QAccessible::Name).section(u',', 0, 0), u"1002"_qs);
        QTest::keyClick(map, Qt::Key_Return);
        QCOMPARE(map->chosenNumber(), 1002);
        QVERIFY(iface->focusChild()->state().selected);
        QTest::keyClick(map, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.number(), 1002);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestAccessibility)
#include "tst_accessibility.moc"
