// SPDX-License-Identifier: GPL-3.0-or-later
// The song import dialog driven as a user would: selection, start number, "Przerwij", preview.
#include "core/app/language.h"
#include "gui/editor/songstructuredialog.h"
#include "gui/library/importsongsdialog.h"
#include "librarytestsupport.h"
#include "testappcore.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

using namespace LibraryTest;

class TestImportSongsDialog : public QObject
{
    Q_OBJECT

    BoxRecorder m_boxes;
    std::unique_ptr<TestAppCore> m_app;
    std::unique_ptr<ImportSongsDialog> m_dialog;

    QString lyrics() const { return m_app->path(QStringLiteral("lyrics")); }

    void clickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTableWidget *list = m_dialog->list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualItemRect(list->item(row, 1)).center());
    }

    QStringList state() const
    {
        return {m_dialog->selectedCounter()->text(), m_dialog->remainingCounter()->text(),
                QString::number(m_dialog->startButton()->isEnabled()), QString::number(m_dialog->previewButton()->isEnabled())};
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
        m_boxes.install();
    }

    void init()
    {
        m_boxes.clear();
        m_app = std::make_unique<TestAppCore>();
        m_app->core().settings().setLyricsDir(lyrics());
        QVERIFY(QDir().mkpath(lyrics() + u"/Cel"));
        const QString source = m_app->path(QStringLiteral("card/"));
        QVERIFY(TestSupport::writeFiles(source, {QStringLiteral("A/0001 Jeden.txt"), QStringLiteral("A/0002 Dwa.txt"),
                                                 QStringLiteral("B/0003 Trzy.txt")}));
        m_dialog = std::make_unique<ImportSongsDialog>(m_app->core(), source);
        m_dialog->listingTimer()->setInterval(0);
        m_dialog->show();
        QTRY_COMPARE(m_dialog->list()->rowCount(), 3);
    }

    void cleanup() { m_dialog.reset(); }

    void selectionDrivesCountersAndImport()
    {
        QCOMPARE(state(), (QStringList{u"0"_qs, u"3"_qs, u"0"_qs, u"0"_qs}));
        clickRow(0);
        QCOMPARE(state(), (QStringList{u"1"_qs, u"3"_qs, u"1"_qs, u"1"_qs}));
        clickRow(2, Qt::ControlModifier);
        QCOMPARE(state(), (QStringList{u"2"_qs, u"3"_qs, u"1"_qs, u"0"_qs}));

        m_dialog->numberFromButton()->click();
        m_dialog->startButton()->click();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::ImportSummary).arg(2).arg(0)});
        QCOMPARE(state(), (QStringList{u"0"_qs, u"1"_qs, u"0"_qs, u"0"_qs}));
        QCOMPARE(m_dialog->list()->item(0, 1)->text(), u"Dwa"_qs);
        QVERIFY(m_dialog->importedAny());
        QCOMPARE(QDir(lyrics() + u"/Cel").entryList(QDir::Files), (QStringList{u"2000 Jeden.txt"_qs, u"2001 Trzy.txt"_qs}));
    }

    void stopFromTheCopyLoop()
    {
        clickRow(0);
        clickRow(1, Qt::ShiftModifier);
        // The first event the import lets through: the close box, Anuluj, then "Przerwij".
        QTimer::singleShot(0, m_dialog.get(), [this] {
            m_dialog->close();
            m_dialog->reject();
            QVERIFY(m_dialog->stopButton()->isVisible());
            m_dialog->stopButton()->click();
        });
        m_dialog->startButton()->click();
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::ImportSummary).arg(0).arg(0)});
        QVERIFY(m_dialog->startButton()->isVisible());
        QCOMPARE(state(), (QStringList{u"2"_qs, u"3"_qs, u"1"_qs, u"0"_qs}));
        QVERIFY(!m_dialog->importedAny());
    }

    void startNumberRange_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("refused");
        QTest::newRow("0") << u"0"_qs << true;
        QTest::newRow("5000") << u"5000"_qs << true;
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("4999") << u"4999"_qs << false;
    }

    void startNumberRange()
    {
        QFETCH(QString, start);
        QFETCH(bool, refused);
        clickRow(0);
        m_dialog->numberFromButton()->click();
        m_dialog->startEdit()->setText(start);
        m_dialog->startButton()->click();
        QCOMPARE(m_boxes.first().text == Lang::text(Txt::ImportStartOutOfRange), refused);
        QCOMPARE(QApplication::focusWidget() == m_dialog->startEdit(), refused);
    }

    void previewAndVanishedGroup()
    {
        clickRow(1);
        bool shown = false;
        whenShown<SongStructureDialog>([&shown](SongStructureDialog *view) {
            shown = view->tree()->topLevelItemCount() > 0;
            view->reject();
        });
        m_dialog->previewButton()->click();
        QVERIFY(shown);

        QVERIFY(QDir(lyrics()).rmdir(u"Cel"_qs));
        QVERIFY(QDir(lyrics()).mkdir(u"Nowa"_qs));
        m_dialog->startButton()->click();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::TargetGroupTitle)});
        QCOMPARE(m_dialog->groupList()->currentText(), u"Nowa"_qs);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestImportSongsDialog)
#include "tst_importsongsdialog.moc"
