// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/appcore.h"
#include "core/app/language.h"
#include "gui/app/messageboxes.h"
#include "gui/main/mainwindow.h"
#include "gui/main/settingsdialog.h"
#include "gui/main/splashscreen.h"
#include "testappcore.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

class TestDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestAppCore> m_app;
    QList<MessageBoxes::Request> m_boxes;

    void answerBoxes()
    {
        m_boxes.clear();
        MessageBoxes::setResponder([this](const MessageBoxes::Request &r) {
            m_boxes << r;
            return QMessageBox::Ok;
        });
    }
    static QPushButton *okButton(QDialog &dialog)
    {
        return dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    }

private slots:
    void initTestCase()
    {
        m_app = std::make_unique<TestAppCore>();
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
    }
    void init() { answerBoxes(); }
    void cleanup() { MessageBoxes::setResponder({}); }

    void settingsOpenWithSixRowsForAStoredEight()
    {
        AppSettings settings;
        settings.setMaxY(8);
        settings.setLastLanguage(QStringLiteral("english"));
        settings.setLastMusicDir(QStringLiteral("/muzyka"));
        SettingsDialog dialog(TestSupport::shippedLanguageDir(), settings);
        QVERIFY(dialog.sixRowsButton()->isChecked());
        QCOMPARE(dialog.languageName(), QStringLiteral("English")); // matched in lower case
        QCOMPARE(dialog.musicDirectory(), QStringLiteral("/muzyka"));
        QCOMPARE(dialog.languageCombo()->count(), 2);
    }

    void okWithoutLanguageShows416AndStaysOpen()
    {
        QTemporaryDir empty;
        AppSettings settings;
        SettingsDialog dialog(empty.path(), settings);
        dialog.show();
        QTRY_COMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].text, Lang::text(Txt::SettingsNoLanguageFound));
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
        QCOMPARE(m_boxes.size(), 2);
        QCOMPARE(m_boxes[1].text, Lang::text(Txt::SettingsNoLanguageChosen));
        QCOMPARE(m_boxes[1].caption, QStringLiteral("Informacja"));
        QVERIFY(dialog.isVisible());
    }

    void mainWindowAppliesSettingsAndSaysWhenLanguageWaitsForRestart()
    {
        MainWindow frame;
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
        QCOMPARE(m_app->store().value(QStringLiteral("Ustawienia programu/LastLang")).toString(), QStringLiteral("English"));
        QCOMPARE(m_app->store().value(QStringLiteral("Ustawienia programu/MaxY")).toInt(), 6);
        QCOMPARE(m_app->store().value(QStringLiteral("Ustawienia programu/MaxX")).toInt(), 16);
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].text, Lang::text(Txt::SettingsLanguageAtRestart));
        QCOMPARE(Lang::text(Txt::MenuFile), QStringLiteral("&Plik")); // still Polish until restart
    }

    void splashFadesInAndClosesAfter100Ticks()
    {
        SplashScreen splash(QStringLiteral("V3.37"));
        QCOMPARE(splash.caption(), QStringLiteral("V3.37"));
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
        MessageBoxes::setResponder({});
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
        QCOMPARE(buttons, QStringList({QStringLiteral("Anuluj"), QStringLiteral("Nie"), QStringLiteral("Tak")}));
        qputenv("LUMIVOX_NONINTERACTIVE", "1");
    }

    void nonInteractiveBoxesAnswerTheirFirstButton()
    {
        MessageBoxes::setResponder({});
        QCOMPARE(errorBox(nullptr, QStringLiteral("x")), QMessageBox::Ok);
        QCOMPARE(questionBox(nullptr, QStringLiteral("x")), QMessageBox::Yes);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestDialogs)
#include "tst_dialogs.moc"
