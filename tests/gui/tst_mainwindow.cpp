// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/appcore.h"
#include "core/app/language.h"
#include "gui/app/messageboxes.h"
#include "gui/main/mainwindow.h"
#include "testappcore.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestAppCore> m_app;

    static QStringList menuTitles(const MainWindow &frame)
    {
        QStringList titles;
        for (QAction *a : frame.menuBar()->actions())
            titles << a->text();
        return titles;
    }

private slots:
    void initTestCase()
    {
        m_app = std::make_unique<TestAppCore>();
    }

    void init()
    {
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
    }

    void menusShowTheLanguageTexts()
    {
        MainWindow frame;
        QCOMPARE(menuTitles(frame), QStringList({QStringLiteral("&Plik"), QStringLiteral("&Edycja"),
                                                 QStringLiteral("&Widok"), QStringLiteral("&Narzędzia"),
                                                 QStringLiteral("P&omoc")}));
        QCOMPARE(frame.action(Command::IssueWindow)->text(), QStringLiteral("Okno błędów"));

        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("English")), Lang::LoadResult::Loaded);
        frame.applyMenuTexts();
        QCOMPARE(menuTitles(frame).first(), QStringLiteral("&File"));
        QCOMPARE(frame.action(Command::Exit)->text(), QStringLiteral("Exit"));
    }

    void projectButtonsComeAndGoOnTheToolBarOnly()
    {
        MainWindow frame;
        // Visible buttons of New, Open, Save, Close project and Restore; the menu entries stay.
        const auto shown = [&frame] {
            QString flags;
            for (Command c : {Command::New, Command::Open, Command::Save, Command::CloseProject, Command::RestoreCardData})
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
        MainWindow frame;
        frame.show();
        m_app->core().settings().setLastDir(QStringLiteral("/from/close"));
        bool allow = false;
        frame.addCloseGuard([&allow] { return allow; });
        QVERIFY(!frame.close());
        QVERIFY(frame.isVisible());
        QCOMPARE(m_app->store().value(QStringLiteral("Ustawienia programu/LastDir")).toString(), QStringLiteral("/from/close"));
        allow = true;
        QVERIFY(frame.close());
    }

    void exportFontsWritesIntoOutAndReports()
    {
        QList<MessageBoxes::Request> boxes;
        MessageBoxes::setResponder([&boxes](const MessageBoxes::Request &r) {
            boxes << r;
            return QMessageBox::Ok;
        });
        MainWindow frame;
        QDir(m_app->core().fontDir()).removeRecursively();
        frame.action(Command::ExportFonts)->trigger();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, Lang::text(Txt::FontExportNoFonts));

        m_app->core().loadBoardFonts(); // seeds the font folder from the shipped fonts
        boxes.clear();
        frame.action(Command::ExportFonts)->trigger();
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0].text.startsWith(Lang::text(Txt::FontExportDone)));
        const QByteArray image = TestSupport::readFile(m_app->core().dirs().outDir() + u"fonts.out");
        QVERIFY(image.startsWith("Z800000\r\nczcionka: font_v1\r\n"));
        QVERIFY(image.contains("czcionka: font_v2"));
        MessageBoxes::setResponder({});
    }
};

LUMIVOX_TEST_MAIN_GUI(TestMainWindow)
#include "tst_mainwindow.moc"
