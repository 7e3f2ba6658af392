// SPDX-License-Identifier: GPL-3.0-or-later
// The song import dialog driven as a user would: selection, start number, "Przerwij", lost group.
#include "core/app/language.h"
#include "gui/card/importsongsdialog.h"
#include "librarytestsupport.h"
#include "testappcore.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

using namespace LibraryTest;

class TestImportSongsDialog : public PanelTest
{
    Q_OBJECT

    std::unique_ptr<ImportSongsDialog> m_dialog;
    QString m_lyrics;

    void clickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTableWidget *list = m_dialog->list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualItemRect(list->item(row, 1)).center());
    }

    // Selected and remaining counters, whether "Start" and "Podgląd" are enabled.
    QString state() const
    {
        return m_dialog->selectedCounter()->text() + u' ' + m_dialog->remainingCounter()->text() + u' '
            + QString::number(m_dialog->startButton()->isEnabled())
            + QString::number(m_dialog->previewButton()->isEnabled());
    }

private slots:
    void init()
    {
        setUpPanelTests();
        m_lyrics = m_app->path(u"lyrics"_qs);
        m_app->core().settings().setLyricsDir(m_lyrics);
        QVERIFY(QDir().mkpath(m_lyrics + u"/Cel"));
        const QString source = m_app->path(u"card/"_qs);
        QVERIFY(TestSupport::writeFiles(source, {u"A/0001 Jeden.txt"_qs, u"A/0002 Dwa.txt"_qs, u"B/0003 Trzy.txt"_qs}));
        m_dialog = std::make_unique<ImportSongsDialog>(m_app->core(), source);
        m_dialog->listingTimer()->setInterval(0);
        m_dialog->show();
        QTRY_COMPARE(m_dialog->list()->rowCount(), 3);
    }

    void cleanup() { m_dialog.reset(); }

    void selectionDrivesCountersAndImport()
    {
        QCOMPARE(state(), u"0 3 00"_qs);
        clickRow(0);
        QCOMPARE(state(), u"1 3 11"_qs);
        clickRow(2, Qt::ControlModifier);
        QCOMPARE(state(), u"2 3 10"_qs);

        m_dialog->numberFromButton()->click();
        m_dialog->startButton()->click();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::ImportSummary).arg(2).arg(0)});
        QCOMPARE(state(), u"0 1 00"_qs);
        QCOMPARE(m_dialog->list()->item(0, 1)->text(), u"Dwa"_qs);
        QVERIFY(m_dialog->importedAny());
        QCOMPARE(QDir(m_lyrics + u"/Cel").entryList(QDir::Files),
                 (QStringList{u"2000 Jeden.txt"_qs, u"2001 Trzy.txt"_qs}));
    }

    // Keeping numbers, a song whose number the library holds moves alone, and the summary says where.
    void takenNumberMovesOneSong()
    {
        QVERIFY(TestSupport::writeFiles(m_lyrics + u"/Inna/"_qs, {u"0002 Zajęta.txt"_qs}));
        clickRow(0);
        clickRow(1, Qt::ShiftModifier);
        m_dialog->startButton()->click();
        QCOMPARE(m_boxes.texts(),
                 QStringList{Lang::text(Txt::ImportSummary).arg(2).arg(0) + u"\n\n"
                             + Lang::text(Txt::ImportNumbersMoved).arg(1) + u"\n[0002] Dwa \u2192 0003"});
        QCOMPARE(QDir(m_lyrics + u"/Cel").entryList(QDir::Files),
                 (QStringList{u"0001 Jeden.txt"_qs, u"0003 Dwa.txt"_qs}));
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
        QVERIFY(m_dialog->isVisible() && m_dialog->startButton()->isVisible());
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::ImportSummary).arg(0).arg(0)});
        QCOMPARE(state(), u"2 3 10"_qs);
        QVERIFY(!m_dialog->importedAny());
    }

    void startNumberRange()
    {
        clickRow(0);
        m_dialog->numberFromButton()->click();
        for (const QString &start : {u"0"_qs, u"5000"_qs, u"4999"_qs}) {
            m_boxes.clear();
            m_dialog->startEdit()->setText(start);
            m_dialog->startButton()->click();
            const bool refused = start != u"4999";
            QCOMPARE(m_boxes.first().text == Lang::text(Txt::ImportStartOutOfRange), refused);
            QCOMPARE(QApplication::focusWidget() == m_dialog->startEdit(), refused);
        }
    }

    void vanishedGroup()
    {
        clickRow(1);
        QVERIFY(QDir(m_lyrics).rmdir(u"Cel"_qs) && QDir(m_lyrics).mkdir(u"Nowa"_qs));
        m_dialog->startButton()->click();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::TargetGroupTitle)});
        QCOMPARE(m_dialog->groupList()->currentText(), u"Nowa"_qs);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestImportSongsDialog)
#include "tst_importsongsdialog.moc"
