// SPDX-License-Identifier: GPL-3.0-or-later
// The song editor's small dialogs and the title edit: number maps, target group, capitalisation.
#include "core/app/language.h"
#include "core/library/librarynaming.h"
#include "core/library/librarynumbertable.h"
#include "gui/app/dialogtext.h"
#include "gui/editor/slidenumberdialog.h"
#include "gui/editor/songnumberdialog.h"
#include "gui/editor/titleedit.h"
#include "gui/widgets/newgroupdialog.h"
#include "gui/widgets/targetgroupdialog.h"
#include "gui/widgets/numbermap.h"
#include "librarytestsupport.h"
#include "tablerows.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using namespace LibraryTest;

namespace {

QPoint cellCentre(const NumberMap *map, int number)
{
    return map->cellRect(number).center();
}

} // namespace

class TestNumberDialogs : public PanelTest
{
    Q_OBJECT

    LibraryNumberTable m_songs{LibraryNaming::kSongTableSize};

private slots:
    void initTestCase()
    {
        setUpPanelTests();
        m_songs.claim(7, QStringLiteral("0007 Kyrie"), 0, 0);
        m_songs.claim(401, QStringLiteral("0401 Gloria"), 0, 0);
    }

    void init() { m_boxes.clear(); }

    void songMapScrollsByRows()
    {
        SongNumberDialog dialog(0, m_songs);
        seamed(&dialog);
        QCOMPARE(dialog.scrollBar()->maximum(), 100);
        dialog.scrollBar()->setValue(10);
        QCOMPARE(dialog.map()->numberAt(QPoint(5, 5)), 401);
        QCOMPARE(dialog.rowLabels().first(), QStringLiteral("440"));
        QCOMPARE(dialog.rowLabels().last(), QStringLiteral("1400"));

        // At the end the last cell, 5000, lies past the table: a click there chooses nothing.
        dialog.show();
        dialog.scrollBar()->setValue(dialog.scrollBar()->maximum());
        QCOMPARE(dialog.rowLabels().last(), QStringLiteral("5000"));
        QCOMPARE(dialog.map()->numberAt(QPoint(38 * 18 + 9, 24 * 18 + 9)), 4999);
        QTest::mouseClick(dialog.map(), Qt::LeftButton, {}, QPoint(39 * 18 + 9, 24 * 18 + 9));
        QCOMPARE(dialog.number(), 0);
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::SongMapNoNumber)});

        // A preset number far down is chosen and in view.
        SongNumberDialog far(4321, m_songs);
        seamed(&far);
        QCOMPARE(far.number(), 4321);
        QVERIFY(!far.map()->cellRect(4321).isNull());
        QCOMPARE(far.scrollBar()->value(), far.map()->firstRow());
    }

    void songMapChoice_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<int>("doubleClicked"); // 0: OK pressed instead
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("boxes");
        const QString taken = Lang::text(Txt::NumberMapNumberTaken);
        const QString none = Lang::text(Txt::SongMapNoNumber);
        QTest::newRow("preset taken number kept") << 7 << 0 << true << 7 << QStringList();
        QTest::newRow("preset 0") << 0 << 0 << false << 0 << QStringList{none};
        QTest::newRow("preset 6000") << 6000 << 0 << false << 0 << QStringList{none};
        QTest::newRow("double-click free") << 7 << 12 << true << 12 << QStringList();
        QTest::newRow("double-click taken") << 0 << 7 << false << 0 << QStringList{taken};
    }

    void songMapChoice()
    {
        QFETCH(int, preset);
        QFETCH(int, doubleClicked);
        SongNumberDialog dialog(preset, m_songs);
        seamed(&dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        if (doubleClicked) // through the window, so that the platform makes the double-click of two clicks
            QTest::mouseDClick(dialog.windowHandle(), Qt::LeftButton, {},
                               dialog.map()->mapTo(&dialog, cellCentre(dialog.map(), doubleClicked)));
        else
            dialog.accept();
        QTEST(dialog.result() == QDialog::Accepted, "accepted");
        QTEST(!dialog.isVisible(), "accepted");
        QTEST(dialog.number(), "result");
        QTEST(m_boxes.texts(), "boxes");
    }

    void fullTableOffersNothing()
    {
        LibraryNumberTable full(LibraryNaming::kSongTableSize);
        for (int n = 1; n < full.size(); ++n)
            full.markUsed(n);
        SongNumberDialog dialog(0, full);
        seamed(&dialog);
        dialog.show();
        QTest::mouseClick(dialog.map(), Qt::LeftButton, {}, cellCentre(dialog.map(), 30));
        dialog.accept();
        QCOMPARE(m_boxes.texts(),
                 QStringList({Lang::text(Txt::NumberMapNumberTaken), Lang::text(Txt::SongMapNoNumber)}));
        QVERIFY(dialog.isVisible());
    }

    // The checks of OK in order; each row starts from an open dialog.
    void slideDialogChecks_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("box");
        for (const QStringList &row : TestSupport::tableRows(u"numberdialogs/slidechecks.tsv"_qs)) {
            const int box = TestSupport::textIds(row[3]).first();
            QTest::newRow(qPrintable(row[0]))
                << row[1].toInt() << TestSupport::unescaped(row[2])
                << (box == Txt::SlideTitleForbiddenCharacter ? forbiddenCharacterMessage(box)
                        : box                                ? Lang::text(box)
                                                             : QString());
        }
    }

    void slideDialogChecks()
    {
        QFETCH(int, number);
        QFETCH(QString, title);
        QFETCH(QString, box);
        LibraryNumberTable slides(LibraryNaming::kSlideTableSize);
        SlideNumberDialog dialog(0, QString(), slides);
        seamed(&dialog);
        dialog.show();
        if (number)
            QTest::mouseClick(dialog.map(), Qt::LeftButton, {}, cellCentre(dialog.map(), number));
        dialog.titleEdit()->setText(title);
        dialog.accept();
        QCOMPARE(m_boxes.texts(), box.isEmpty() ? QStringList() : QStringList{box});
        QCOMPARE(dialog.isVisible(), !box.isEmpty());
        if (box.isEmpty()) {
            QCOMPARE(dialog.number(), number);
            QCOMPARE(dialog.title(), title);
        }
    }

    void targetGroupNewGroup()
    {
        const QString root = m_cards.next();
        QVERIFY(QDir(root).mkdir(QStringLiteral("Kolędy")));
        TargetGroupDialog dialog({QStringLiteral("Kolędy")}, QString(), root);
        seamed(&dialog);
        QCOMPARE(dialog.groupList()->currentIndex(), 0); // the only group is preselected
        dialog.groupList()->setCurrentIndex(-1);
        dialog.accept();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::TargetGroupTitle)});

        // The same name in another case is refused by the name dialog; nothing is created.
        whenShown<NewGroupDialog>([this](NewGroupDialog *entry) {
            entry->edit()->setText(QStringLiteral("KOLĘDY"));
            entry->accept();
            QCOMPARE(m_boxes.texts().size(), 2);
            entry->reject();
        });
        dialog.newButton()->click();
        QVERIFY(!dialog.groupCreated());
        QCOMPARE(QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{QStringLiteral("Kolędy")});

        whenShown<NewGroupDialog>([](NewGroupDialog *entry) {
            entry->edit()->setText(QStringLiteral("Wielkanoc"));
            entry->accept();
        });
        dialog.newButton()->click();
        QVERIFY(dialog.groupCreated());
        QVERIFY(QFileInfo(root + u"Wielkanoc").isDir());
        QCOMPARE(dialog.group(), QStringLiteral("Wielkanoc"));
    }

    void targetGroupCannotCreate()
    {
        // A card root that is no directory stands in for a card that refuses writes.
        const QString root = m_cards.path(QStringLiteral("not-a-directory"));
        QVERIFY(TestSupport::writeFile(root, "x"));
        TargetGroupDialog dialog({}, QString(), root + u'/');
        seamed(&dialog);
        QVERIFY(!dialog.groupList()->isEnabled());
        whenShown<NewGroupDialog>([](NewGroupDialog *entry) {
            entry->edit()->setText(QStringLiteral("Nowa"));
            entry->accept();
        });
        dialog.newButton()->click();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::GroupCreateFailed)});
        QVERIFY(!dialog.groupCreated());
        QVERIFY(!dialog.groupList()->isEnabled());
        QCOMPARE(dialog.group(), QString());
    }

    void titleEditCapitalises_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("words") << 9 << "ala MA kota"
                               << "Ala Ma Kota";
        QTest::newRow("first letter") << 10 << "ala MA kota"
                                      << "Ala ma kota";
        QTest::newRow("sharp s keeps the length") << 9 << "STRAßE ßa"
                                                  << "Straße ßa";
    }

    void titleEditCapitalises()
    {
        QFETCH(int, position);
        QFETCH(QString, text);
        TitleEdit edit;
        edit.setText(text);
        QSignalSpy edited(&edit, &QLineEdit::textEdited);
        std::unique_ptr<QMenu> menu(edit.createMenu(nullptr));
        QCOMPARE(menu->actions().size(), 11);
        QVERIFY(!menu->actions()[0]->isEnabled()); // nothing to undo yet
        menu->actions()[position]->trigger();
        QTEST(edit.text(), "expected");
        QCOMPARE(edited.size(), 1);
        QCOMPARE(edit.text().size(), text.size());

        menu.reset(edit.createMenu(nullptr));
        QVERIFY(menu->actions()[0]->isEnabled());
        menu->actions()[0]->trigger();
        QCOMPARE(edit.text(), text);
    }

    void titleEditGreying()
    {
        QApplication::clipboard()->setText(QStringLiteral("x"));
        TitleEdit edit;
        std::unique_ptr<QMenu> menu(edit.createMenu(nullptr));
        const auto enabled = [&menu] {
            QList<int> on;
            for (int i = 0; i < menu->actions().size(); ++i) {
                if (!menu->actions()[i]->isSeparator() && menu->actions()[i]->isEnabled())
                    on << i;
            }
            return on;
        };
        QCOMPARE(enabled(), QList<int>{4}); // empty: only paste
        edit.setText(QStringLiteral("Ave Maria"));
        edit.setSelection(0, 3);
        menu.reset(edit.createMenu(nullptr));
        QCOMPARE(enabled(), QList<int>({2, 3, 4, 5, 7, 9, 10}));
        edit.setReadOnly(true);
        menu.reset(edit.createMenu(nullptr));
        QCOMPARE(enabled(), QList<int>({3, 7}));
    }
};

LUMIVOX_TEST_MAIN_GUI(TestNumberDialogs)
#include "tst_numberdialogs.moc"
