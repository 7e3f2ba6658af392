// SPDX-License-Identifier: GPL-3.0-or-later
// The board's widgets: the LED matrix editor, the glyph cell, the number maps, the timing bar.
#include "core/app/language.h"
#include "core/font/boardfont.h"
#include "core/library/librarynumbertable.h"
#include "gui/app/messageboxes.h"
#include "gui/app/uiseams.h"
#include "gui/editor/ledmatrix.h"
#include "gui/widgets/boardcolours.h"
#include "gui/widgets/brightnesspreview.h"
#include "gui/widgets/busyrunner.h"
#include "gui/widgets/colourlegend.h"
#include "gui/widgets/glyphcell.h"
#include "gui/widgets/numbermap.h"
#include "gui/widgets/timingbar.h"
#include "testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QTimer>

class TestWidgets : public QObject
{
    Q_OBJECT

    BoardFont m_latin;
    BoardFont m_cyrillic;

    QString row(const LedMatrix &m, int r) { return m.text().mid(r * 20, 20); }

    QImage rendered(const LedMatrix &m)
    {
        QImage image(m.sizeHint(), QImage::Format_RGB32);
        QPainter p(&image);
        m.render(p, image.rect());
        return image;
    }

    // The colour in the middle of dot (i, j) of cell (c, r).
    QColor dotColour(const QImage &image, int c, int r, int i, int j)
    {
        return image.pixelColor(LedMatrix::dotPosition(c, r, i, j) + QPoint(1, 1));
    }

    std::unique_ptr<LedMatrix> editor()
    {
        auto m = std::make_unique<LedMatrix>();
        m->setBoardFont(&m_latin, QStringLiteral("pusto"));
        m->setReadOnly(false);
        m->show();
        m->setFocus();
        return m;
    }

private slots:
    // A second run inside a running one is refused; "Stop" pressed while the work pumps ends it,
    // and the next run starts without the old stop. Before the show delay the pump serves
    // timers but shows nothing.
    void busyRunnerRefusesNestedRunsAndStops()
    {
        BusyRunner runner({60000, 0});
        QList<bool> busy;
        int shown = 0;
        runner.onBusyChanged = [&](bool b) { busy << b; };
        runner.onShow = [&] { ++shown; };
        bool nested = true;
        bool nestedWorkRan = false;
        bool stopSeen = false;
        QVERIFY(runner.run([&](const Progress &progress) {
            nested = runner.run([&](const Progress &) { nestedWorkRan = true; });
            QTimer::singleShot(0, [&] { runner.requestStop(); });
            for (int i = 0; i < 1000 && !progress.stopRequested(); ++i)
                runner.pump();
            stopSeen = progress.stopRequested();
        }));
        QVERIFY(!nested);
        QVERIFY(!nestedWorkRan);
        QVERIFY(stopSeen);
        QCOMPARE(shown, 0);
        QCOMPARE(busy, (QList<bool>{true, false}));
        QVERIFY(!runner.isBusy());
        bool stoppedAtStart = true;
        QVERIFY(runner.run([&](const Progress &progress) { stoppedAtStart = progress.stopRequested(); }));
        QVERIFY(!stoppedAtStart);
    }

    void initTestCase()
    {
        QVERIFY(FontFile::load(TestSupport::sourceDir() + u"/data/Font/Font_V1.fnt", m_latin));
        QVERIFY(FontFile::load(TestSupport::sourceDir() + u"/data/Font/Font_V2.fnt", m_cyrillic));
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
    }

    void cellsTakeTheGlyphOfTheBoardCode()
    {
        LedMatrix m;
        m.setText(QStringLiteral("Abc")); // without a font: the text is kept, no glyph taken
        QCOMPARE(m.text().left(3), QStringLiteral("Abc"));
        QCOMPARE(m.cellColumns(0), (std::array<quint8, 5>{}));
        m.setBoardFont(&m_latin, {});
        m.setText(QString(QChar(0x0104)) + QChar(0x0150) + QChar(0x20AC) + u'A');
        QCOMPARE(m.cellColumns(0), m_latin.glyphs[0xA5].columns);
        QCOMPARE(m.cellColumns(1), m_latin.glyphs[0x50].columns); // not in the table: its low byte
        QCOMPARE(m.cellColumns(2), m_latin.glyphs[0x20].columns); // shown as a space
        QCOMPARE(m.cellColumns(3), m_latin.glyphs[0x41].columns);
        m.setBoardFont(&m_cyrillic, {});
        m.setText(QString(QChar(0x0490)));
        QCOMPARE(m.cellColumns(0), m_cyrillic.glyphs[0xA5].columns);
        QVERIFY(m_cyrillic.glyphs[0xA5].columns != m_latin.glyphs[0xA5].columns);
    }

    void pixelsOfLitOutsideAndSelectedDots()
    {
        LedMatrix m;
        m.setBoardFont(&m_latin, {});
        QString text(200, u' ');
        text[0] = u'I';
        text[7 * 20 + 3] = u'I';
        m.setText(text);
        m.setActiveArea(20, 6);
        // 'I' of misc-fixed: column 1 lit from row 1 to row 6.
        QImage image = rendered(m);
        QCOMPARE(dotColour(image, 0, 0, 2, 3), BoardColours::kLit);
        QCOMPARE(dotColour(image, 3, 7, 2, 3), BoardColours::kLitOutside);
        QCOMPARE(dotColour(image, 0, 0, 0, 0), BoardColours::kUnlit);
        QCOMPARE(image.pixelColor(LedMatrix::dotPosition(0, 0, 0, 0)), QColor(Qt::black)); // rounded corner
        QCOMPARE(image.pixelColor(3, 3), QColor(Qt::black));                               // between dots

        m.setGridVisible(false);
        QCOMPARE(dotColour(rendered(m), 0, 0, 0, 0), QColor(Qt::black));
        m.setGridVisible(true);

        m.setReadOnly(false);
        m.show();
        m.setFocus();
        QTest::keyClick(&m, Qt::Key_A, Qt::ControlModifier);
        image = rendered(m);
        QCOMPARE(dotColour(image, 0, 0, 2, 3), BoardColours::kSelected);
        QCOMPARE(dotColour(image, 3, 7, 2, 3), BoardColours::kSelected);
    }

    void readOnlyIgnoresInputAndShowsTheMessage()
    {
        LedMatrix m;
        m.setBoardFont(&m_latin, QStringLiteral("Wybierz utwór"));
        m.show();
        m.setFocus();
        QTest::keyClicks(&m, QStringLiteral("abc"));
        QCOMPARE(m.text(), QString(200, u' '));
        const QImage withMessage = rendered(m);
        m.setBoardFont(&m_latin, {});
        QVERIFY(rendered(m) != withMessage); // the message is drawn over the empty board
        m.setReadOnly(false);
        QTest::keyClicks(&m, QStringLiteral("abc"));
        QCOMPARE(m.text().left(3), QStringLiteral("abc"));
    }

    void typingWithRealKeys()
    {
        auto m = editor();
        QSignalSpy typed(m.get(), &LedMatrix::characterTyped);
        QTest::keyClicks(m.get(), QStringLiteral("Hello"));
        QTest::keyClick(m.get(), Qt::Key_Return);
        QTest::keyClicks(m.get(), QStringLiteral("World"));
        QCOMPARE(typed.size(), 10);
        QCOMPARE(typed[0][0].value<QChar>(), QChar(u'H'));
        QCOMPARE(row(*m, 1).trimmed(), QStringLiteral("World"));
        QTest::keyClick(m.get(), Qt::Key_Home);
        QTest::keyClick(m.get(), Qt::Key_Backspace);
        QTest::keyClick(m.get(), Qt::Key_Delete);
        QTest::keyClick(m.get(), Qt::Key_Tab);
        QCOMPARE(row(*m, 0).trimmed(), QStringLiteral("Hello orld"));
        QTest::keyClick(m.get(), Qt::Key_End);
        QTest::keyClick(m.get(), Qt::Key_Right);
        QCOMPARE(QPoint(m->model().column(), m->model().row()), QPoint(0, 0));
        // Ctrl+letter is a command, not a character; AltGr (Ctrl+Alt) types.
        QTest::keyClick(m.get(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(row(*m, 0).trimmed(), QStringLiteral("Hello orld"));
        QKeyEvent altGr(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("ą"));
        QApplication::sendEvent(m.get(), &altGr);
        QCOMPARE(m->text().at(0), QChar(0x0105));
    }

    void mouseSelectionInsideOneRow()
    {
        auto m = editor();
        m->setText(QStringLiteral("Hello World"));
        const QPoint from(2 * 32 + 10, 20);
        const QPoint to(6 * 32 + 10, 20);
        QTest::mousePress(m.get(), Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), m->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(m.get(), &move);
        QTest::mouseRelease(m.get(), Qt::LeftButton, {}, to);
        QVERIFY(m->hasSelection());
        QTest::keyClick(m.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("llo W"));
        // A click without a drag drops the selection.
        QTest::mouseClick(m.get(), Qt::LeftButton, {}, QPoint(40, 100));
        QVERIFY(!m->hasSelection());
        QCOMPARE(m->model().row(), 1);
        QCOMPARE(m->model().column(), 1);
    }

    void pasteAsksWhenTooLong()
    {
        auto m = editor();
        QList<MessageBoxes::Request> asked;
        installSeams(m.get()).responder = [&asked](const MessageBoxes::Request &r) {
            asked << r;
            return QMessageBox::No;
        };
        QApplication::clipboard()->setText(QString(201, u'x'));
        QTest::keyClick(m.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].text, Lang::text(Txt::MatrixPasteTooLong));
        QCOMPARE(m->text(), QString(200, u' '));
    }

    void glyphCellPaintsAndToggles()
    {
        GlyphCell cell;
        cell.resize(cell.sizeHint());
        cell.setColumns({0x80, 0, 0, 0, 0x01});
        // Centre of dot (i, j) is at (i * 25 + 15, j * 25 + 15).
        QCOMPARE(cell.grab().toImage().pixelColor(4 * 25 + 15, 7 * 25 + 15), BoardColours::kLit);

        QSignalSpy changed(&cell, &GlyphCell::columnsChanged);
        cell.show();
        QTest::mouseClick(&cell, Qt::LeftButton, {}, QPoint(2 * 25 + 10, 3 * 25 + 10));
        QCOMPARE(cell.columns()[2], quint8(0x80 >> 3));
        QTest::mouseClick(&cell, Qt::LeftButton, {}, QPoint(0 * 25 + 10, 0 * 25 + 10));
        QCOMPARE(cell.columns()[0], quint8(0));
        QCOMPARE(changed.size(), 2);
    }

    void legendHoldsTenColoursAndBrightnessIsClamped()
    {
        QCOMPARE(BrightnessPreview::textColour(100), QColor(0xFB, 180, 255)); // clamped, not wrapped
        ColourLegend legend;
        for (int i = 0; i < 10; ++i)
            QVERIFY(legend.addColour(QColor(i * 20, 0, 0)));
        QVERIFY(!legend.addColour(Qt::blue));
    }

    void timingBarSegmentsAndClicks()
    {
        TimingBar bar;
        bar.resize(401, 80);
        QCOMPARE(bar.clickedIndex(), -1);
        bar.show();
        QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(50, 40));
        QCOMPARE(bar.clickedIndex(), -1); // no times, nothing to click

        bar.setTimes({25, 0, 40, 12});
        bar.setCodes({0u << 16, 0u << 16 | 1, 114u << 16, 1u << 16});
        bar.setCurrentIndex(2);
        // The current segment is marked; a segment of time 0 takes no room; the last reaches the end.
        const QImage image = bar.grab().toImage();
        QCOMPARE(image.pixelColor(bar.segmentRect(2).center().x(), 5), QColor(0x00, 0xFF, 0xFF));
        QCOMPARE(image.pixelColor(bar.segmentRect(1).center().x(), 5), bar.palette().color(QPalette::Window));
        QCOMPARE(bar.segmentRect(3).right(), 399);

        QSignalSpy clicked(&bar, &TimingBar::segmentClicked);
        QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(250, 40));
        QCOMPARE(bar.clickedIndex(), 2);
        QCOMPARE(clicked.size(), 1);
        bar.setTimes({});
        QCOMPARE(bar.clickedIndex(), -1);
    }

    void songNumberMap()
    {
        LibraryNumberTable table(5000);
        table.claim(1, QStringLiteral("0001 Pierwsza"), 0, 0);
        table.claim(2, QStringLiteral("0002 Druga"), 0, 0);
        table.claim(2, QStringLiteral("0002 Druga bis"), 1, 0); // duplicate
        table.claim(1641, QStringLiteral("1641 Daleka"), 0, 0);
        SongNumberMap map;
        map.resize(map.sizeHint());
        map.setTable(&table);
        QImage image = map.grab().toImage();
        QCOMPARE(image.pixelColor(3, 3), QColor(0x00, 0xFF, 0x00));          // 1 taken
        QCOMPARE(image.pixelColor(18 + 3, 3), QColor(0xFF, 0x00, 0x00));     // 2 duplicate
        QCOMPARE(image.pixelColor(2 * 18 + 3, 3), QColor(0xFF, 0xFF, 0xFF)); // 3 free

        QSignalSpy chosen(&map, &NumberMap::numberChosen);
        map.show();
        QTest::mouseClick(&map, Qt::LeftButton, {}, QPoint(2 * 18 + 5, 18 + 5));
        QCOMPARE(map.chosenNumber(), 43);
        QCOMPARE(chosen.size(), 1);
        image = map.grab().toImage();
        QCOMPARE(image.pixelColor(2 * 18 + 3, 18 + 3), QColor(0x80, 0xFF, 0xFF));
    }

    void hoveredNumberIsEnlargedWithItsTitle()
    {
        LibraryNumberTable table(500);
        table.claim(30, QStringLiteral("0030 Zdrowaś Maryjo"), 0, 0);
        SlideNumberMap map;
        map.resize(map.sizeHint());
        map.setTable(&table);
        map.show();
        const QImage before = map.grab().toImage();
        QTest::mouseMove(&map, QPoint(4 * 18 + 9, 1 * 18 + 9)); // number 30
        QTRY_COMPARE(map.hoveredNumber(), 30);
        QVERIFY(map.grab().toImage() != before);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestWidgets)
#include "tst_widgets.moc"
