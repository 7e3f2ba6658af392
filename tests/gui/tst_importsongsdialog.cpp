// SPDX-License-Identifier: GPL-3.0-or-later
// The song import dialog driven as a user would: selection, start number, "Przerwij", lost group.
#include "core/app/language.h"
#include "gui/card/importsongsdialog.h"
#include "gui/library/libraryactions.h"
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

    void cleanup()
    {
        m_dialog.reset();
        m_frame.reset();
    }

    // The panel shows a card with a group chosen in the tree: the import offers that card and
    // group first, lists only what the card lacks, and the tree then shows the new songs selected.
    void importGoesIntoTheShownLibraryAndGroup()
    {
        const QString card = m_cards.next();
        QVERIFY(TestSupport::writeFiles(card, {u"Maryjne/0001 Zdrowaś.txt"_qs, u"Adwent/0010 Rorate.txt"_qs}));
        const QString source = m_cards.next();
        QVERIFY(TestSupport::writeFiles(source, {u"0001 Zdrowaś.txt"_qs, u"0050 Kopia.txt"_qs}));
        QVERIFY(TestSupport::writeFiles(source, {u"0051 Nowa.txt"_qs}, TestSupport::songBytes('n')));
        QVERIFY(TestSupport::writeFiles(source, {u"0052 Druga.txt"_qs}, TestSupport::songBytes('d')));
        openPanel(card);
        m_panel->actions()->expandAll();
        click(item(u"Adwent"_qs));

        Workspace &workspace = m_panel->workspace();
        const QList<LibrarySource> libraries = workspace.writableLibraries();
        ImportSongsDialog dialog(m_app->core(), source);
        dialog.listingTimer()->setInterval(0);
        dialog.setTarget(
            {libraries, LibrarySources::indexOfRoot(libraries, workspace.root()), workspace.currentGroup(),
             [this](const QString &root, const QStringList &files) { m_panel->showImported(root, files); }});
        dialog.show();
        QCOMPARE(dialog.libraryList()->count(), 2);
        QCOMPARE(dialog.libraryList()->currentText(), u"CARD "_qs + card);
        QCOMPARE(dialog.groupList()->currentText(), u"Adwent"_qs);
        // Same name in another group, same bytes under another name: both present.
        QTRY_COMPARE(dialog.list()->rowCount(), 2);
        QCOMPARE(dialog.list()->item(0, 1)->text(), u"Nowa"_qs);

        // The computer's library lacks all four; its groups are offered then.
        dialog.libraryList()->setCurrentIndex(0);
        QTRY_COMPARE(dialog.list()->rowCount(), 4);
        QCOMPARE(dialog.groupList()->currentText(), u"Cel"_qs);
        dialog.libraryList()->setCurrentIndex(1);
        QTRY_COMPARE(dialog.list()->rowCount(), 2);
        QCOMPARE(dialog.groupList()->currentText(), u"Adwent"_qs);

        dialog.list()->selectAll();
        dialog.startButton()->click();
        dialog.accept();
        QVERIFY(QFileInfo::exists(card + u"Adwent/0051 Nowa.txt"_qs));
        QVERIFY(QFileInfo::exists(card + u"Adwent/0052 Druga.txt"_qs));
        QCOMPARE(m_panel->root(), card);
        QStringList selected;
        for (const QTreeWidgetItem *item : tree()->selectedItems())
            selected << item->text(0);
        selected.sort();
        QCOMPARE(selected, (QStringList{u"0051 Nowa"_qs, u"0052 Druga"_qs}));
        QCOMPARE(tree()->currentItem()->text(0), u"0051 Nowa"_qs);
    }

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
