// SPDX-License-Identifier: GPL-3.0-or-later
// The main window, its settings dialog, the splash screen and the message boxes.
#include "core/app/appcore.h"
#include "core/app/language.h"
#include "gui/app/shell.h"
#include "gui/main/mainwindow.h"
#include "gui/main/settingsdialog.h"
#include "gui/main/splashscreen.h"
#include "librarytestsupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

class TestMainWindow : public LibraryTest::PanelTest
{
    Q_OBJECT

    static QPushButton *okButton(QDialog &dialog)
    {
        return dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    }
    static QStringList menuTitles(const MainWindow &frame)
    {
        QStringList titles;
        for (QAction *a : frame.menuBar()->actions())
            titles << a->text();
        return titles;
    }

private slots:
    void init() { setUpPanelTests(); } // afresh: a test switches the language

    void menusShowTheLanguageTexts()
    {
        MainWindow frame(m_seams);
        QCOMPARE(menuTitles(frame),
                 QStringList({QStringLiteral("&Plik"), QStringLiteral("&Edycja"), QStringLiteral("&Widok"),
                              QStringLiteral("&Narzędzia"), QStringLiteral("P&omoc")}));
        QCOMPARE(frame.action(Command::IssueWindow)->text(), QStringLiteral("Okno błędów"));

        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("English")), Lang::LoadResult::Loaded);
        frame.applyMenuTexts();
        QCOMPARE(menuTitles(frame).first(), QStringLiteral("&File"));
        QCOMPARE(frame.action(Command::Exit)->text(), QStringLiteral("Exit"));
    }

    void projectButtonsComeAndGoOnTheToolBarOnly()
    {
        MainWindow frame(m_seams);
        // Visible buttons of New, Open, Save, Close project and Restore; the menu entries stay.
        const auto shown = [&frame] {
            QString flags;
            for (Command c :
                 {Command::New, Command::Open, Command::Save, Command::CloseProject, Command::RestoreCardData})
                flags += frame.toolButton(c)->isVisible() ? u'1' : frame.action(c)->isVisible() ? u'0' : u'-';
            return flags;
        };
        QCOMPARE(shown(), u"11000"_qs);
        frame.showProjectButtons(true);
        QCOMPARE(shown(), u"00111"_qs);

        // A button follows its command's state and text, and triggers it.
        QAction *save = frame.action(Command::Save);
        save->setEnabled(true);
        QVERIFY(frame.toolButton(Command::Save)->isEnabled());
        QCOMPARE(frame.toolButton(Command::Save)->text(), save->text());
        QSignalSpy triggered(save, &QAction::triggered);
        frame.toolButton(Command::Save)->trigger();
        QCOMPARE(triggered.size(), 1);
    }

    void closingSavesSettingsAndHonoursGuards()
    {
        MainWindow frame(m_seams);
        frame.show();
        m_app->core().settings().setLastDir(QStringLiteral("/from/close"));
        bool allow = false;
        frame.addCloseGuard([&allow] { return allow; });
        QVERIFY(!frame.close());
        QVERIFY(frame.isVisible());
        QCOMPARE(m_app->store().value(QStringLiteral("Ustawienia programu/LastDir")).toString(),
                 QStringLiteral("/from/close"));
        allow = true;
        QVERIFY(frame.close());
    }

    void exportFontsWritesIntoTheChosenFolderAndReports()
    {
        MainWindow frame(m_seams);
        QDir(m_app->core().fontDir()).removeRecursively();
        frame.action(Command::ExportFonts)->trigger();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::FontExportNoFonts)});

        m_app->core().loadBoardFonts(); // seeds the font folder from the shipped fonts
        m_boxes.clear();
        const QString folder = m_app->path(u"tablica"_qs);
        frame.seams().chooser = [&](Shell::Choice, const QString &) { return folder; };
        frame.action(Command::ExportFonts)->trigger();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::FontExportDone) + u'\n' + folder});
        QCOMPARE(m_app->core().settings().fontExportDir(), folder);
        const QByteArray image = TestSupport::readFile(folder + u"/fonts.out");
        QVERIFY(image.startsWith("Z800000\r\nczcionka: font_v1\r\n"));
        QVERIFY(image.contains("czcionka: font_v2"));
    }
    void settingsOpenWithSixRowsForAStoredEight()
    {
        AppSettings settings;
        settings.setMaxY(8);
        settings.setLastLanguage(u"русский"_qs.normalized(QString::NormalizationForm_D)); // й decomposed
        settings.setLastMusicDir(QStringLiteral("/muzyka"));
        SettingsDialog dialog(TestSupport::shippedLanguageDir(), settings);
        seamed(&dialog);
        QVERIFY(dialog.sixRowsButton()->isChecked());
        QCOMPARE(dialog.languageName(), u"Русский"_qs); // matched in lower case and NFD
        QCOMPARE(dialog.musicDirectory(), QStringLiteral("/muzyka"));
        QStringList languages;
        for (int i = 0; i < dialog.languageCombo()->count(); ++i)
            languages << dialog.languageCombo()->itemText(i);
        QCOMPARE(languages.join(u' '), u"Česky Deutsch English Polski Slovensky Русский"_qs);
    }

    // The music folder is typed or chosen; OK refuses a folder that does not exist.
    void musicFolderTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("existing") << u"muzyka"_qs << true;
        QTest::newRow("missing") << u"nie-ma"_qs << false;
        QTest::newRow("empty") << QString() << true;
    }
    void musicFolderTyped()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        const QString existing = m_app->path(u"muzyka"_qs);
        QVERIFY(QDir().mkpath(existing));
        const QString folder = typed.isEmpty() ? QString() : m_app->path(typed);
        AppSettings settings;
        settings.setLastLanguage(u"Polski"_qs);
        SettingsDialog dialog(TestSupport::shippedLanguageDir(), settings);
        seamed(&dialog);
        dialog.show();
        auto *edit = dialog.findChild<QLineEdit *>(u"musicDirectory"_qs);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, folder);
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
        QCOMPARE(dialog.result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(m_boxes.texts(),
                 accepted ? QStringList() : QStringList{Lang::text(Txt::MusicFolderMissing).arg(folder)});
        dialog.storeInto(settings);
        QCOMPARE(settings.lastMusicDir(), folder);
    }

    void okWithoutLanguageShows416AndStaysOpen()
    {
        QTemporaryDir empty;
        AppSettings settings;
        SettingsDialog dialog(empty.path(), settings);
        seamed(&dialog);
        dialog.show();
        QTRY_COMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::SettingsNoLanguageFound)});
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
        QCOMPARE(m_boxes.texts().last(), Lang::text(Txt::SettingsNoLanguageChosen));
        QVERIFY(dialog.isVisible());
    }

    void soundFontChosenOrRefusedWhenMissing()
    {
        AppSettings settings;
        settings.setSoundFont(QStringLiteral("/nie-ma/GM.sf2"));
        SettingsDialog dialog(TestSupport::shippedLanguageDir(), settings);
        UiSeams &seams = seamed(&dialog);
        dialog.show();
        QCOMPARE(dialog.soundFont(), QStringLiteral("/nie-ma/GM.sf2"));
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
        QCOMPARE(m_boxes.texts().last(), u"/nie-ma/GM.sf2\n"_qs + Lang::text(Txt::MusicFileUnreadable));
        QVERIFY(dialog.isVisible());

        QTemporaryDir dir;
        const QString font = dir.filePath(QStringLiteral("Organy.sf2"));
        QVERIFY(TestSupport::writeFile(font, "RIFF"));
        seams.chooser = [&](Shell::Choice choice, const QString &) {
            return choice == Shell::Choice::OpenFile ? font : QString();
        };
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("chooseSoundFont")), Qt::LeftButton);
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        dialog.storeInto(settings);
        QCOMPARE(settings.soundFont(), font);
    }

    void mainWindowAppliesSettingsAndSaysWhenLanguageWaitsForRestart()
    {
        MainWindow frame(m_seams);
        QSignalSpy matrix(&frame, &MainWindow::matrixSizeChanged);
        QTimer::singleShot(0, &frame, [] {
            auto *dialog = qobject_cast<SettingsDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QVERIFY(dialog->tenRowsButton()->isChecked());
            dialog->languageCombo()->setCurrentText(QStringLiteral("English"));
            QTest::mouseClick(dialog->sixRowsButton(), Qt::LeftButton);
            QTest::mouseClick(okButton(*dialog), Qt::LeftButton);
        });
        frame.openProgramSettings();
        QCOMPARE(matrix.size(), 1);
        QCOMPARE(matrix[0][0].toInt(), 16);
        QCOMPARE(matrix[0][1].toInt(), 6);
        QCOMPARE(m_app->store().value(QStringLiteral("Ustawienia programu/LastLang")).toString(),
                 QStringLiteral("English"));
        QCOMPARE(m_app->store().value(QStringLiteral("Ustawienia programu/MaxY")).toInt(), 6);
        QCOMPARE(m_app->store().value(QStringLiteral("Ustawienia programu/MaxX")).toInt(), 16);
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::SettingsLanguageAtRestart)});
        QCOMPARE(Lang::text(Txt::MenuFile), QStringLiteral("&Plik")); // still Polish until restart
    }

    void splashFadesInAndClosesAfter100Ticks()
    {
        SplashScreen splash(QStringLiteral("V3.37"));
        QCOMPARE(splash.alpha(), 0);
        splash.show();
        for (int i = 0; i < 99; ++i)
            splash.tick();
        QCOMPARE(splash.alpha(), 990);
        QVERIFY(splash.isVisible());
        splash.tick();
        QVERIFY(!splash.isVisible());
        QCOMPARE(splash.result(), int(QDialog::Accepted));
    }

    void messageBoxesUseLanguageCaptionsAndButtons()
    {
        qunsetenv("LUMIVOX_NONINTERACTIVE");
        QStringList buttons;
        QString caption;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            caption = box->windowTitle();
            for (QAbstractButton *b : box->buttons())
                buttons << b->text();
            box->button(QMessageBox::Cancel)->click();
        });
        const auto answer = questionBox(nullptr, QStringLiteral("?"), QMessageBox::Cancel);
        QCOMPARE(answer, QMessageBox::Cancel);
        QCOMPARE(caption, QStringLiteral("Pytanie"));
        buttons.sort();
        QCOMPARE(buttons, QStringList({QStringLiteral("&Anuluj"), QStringLiteral("&Nie"), QStringLiteral("&Tak")}));
        qputenv("LUMIVOX_NONINTERACTIVE", "1");
    }

    void nonInteractiveBoxesAnswerTheirFirstButton()
    {
        QCOMPARE(errorBox(nullptr, QStringLiteral("x")), QMessageBox::Ok);
        QCOMPARE(questionBox(nullptr, QStringLiteral("x")), QMessageBox::Yes);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestMainWindow)
#include "tst_mainwindow.moc"
