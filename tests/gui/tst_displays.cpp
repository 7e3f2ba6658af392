// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/boardcolours.h"
#include "gui/widgets/timingbar.h"
#include "gui/widgets/brightnesspreview.h"
#include "gui/widgets/glyphcell.h"
#include "gui/widgets/colourlegend.h"
#include "gui/widgets/numbermap.h"
#include "core/library/librarynumbertable.h"
#include "testsupport.h"

#include <QApplication>
#include <QImage>
#include <QtTest>

namespace {
QColor pixel(QWidget &w, int x, int y)
{
    return w.grab().toImage().pixelColor(x, y);
}
} // namespace

class TestDisplays : public QObject
{
    Q_OBJECT

private slots:
    void glyphCellPaintsAndToggles()
    {
        GlyphCell cell;
        cell.resize(cell.sizeHint());
        cell.setColumns({0x80, 0, 0, 0, 0x01});
        // Centre of dot (i, j) is at (i * 25 + 15, j * 25 + 15).
        QCOMPARE(pixel(cell, 15, 15), BoardColours::kLit);
        QCOMPARE(pixel(cell, 40, 15), BoardColours::kGlyphCellUnlit);
        QCOMPARE(pixel(cell, 4 * 25 + 15, 7 * 25 + 15), BoardColours::kLit);
        QCOMPARE(pixel(cell, 2, 2), QColor(Qt::black));

        QSignalSpy changed(&cell, &GlyphCell::columnsChanged);
        cell.show();
        QTest::mouseClick(&cell, Qt::LeftButton, {}, QPoint(2 * 25 + 10, 3 * 25 + 10));
        QCOMPARE(cell.columns()[2], quint8(0x80 >> 3));
        QTest::mouseClick(&cell, Qt::LeftButton, {}, QPoint(0 * 25 + 10, 0 * 25 + 10));
        QCOMPARE(cell.columns()[0], quint8(0));
        QCOMPARE(changed.size(), 2);
    }

    void contrastColourFollowsBrightness()
    {
        QCOMPARE(BrightnessPreview::textColour(30), QColor(0xFB, 208, 181));
        QCOMPARE(BrightnessPreview::textColour(0), QColor(0xFB, 220, 142));
        QCOMPARE(BrightnessPreview::textColour(100), QColor(0xFB, 180, 255)); // clamped, not wrapped
        BrightnessPreview screen;
        screen.resize(200, 140);
        screen.setLine(0, QStringLiteral("██████"));
        screen.setBrightness(30);
        const QImage image = screen.grab().toImage();
        bool found = false;
        for (int x = 0; x < 60 && !found; ++x)
            found = image.pixelColor(x, 7) == BrightnessPreview::textColour(30);
        QVERIFY(found);
        QCOMPARE(image.pixelColor(150, 100), QColor(Qt::black));
    }

    void legendHoldsTenColours()
    {
        ColourLegend legend;
        legend.resize(20, 300);
        for (int i = 0; i < 10; ++i)
            QVERIFY(legend.addColour(QColor(i * 20, 0, 0)));
        QVERIFY(!legend.addColour(Qt::blue));
        QCOMPARE(pixel(legend, 10, 3 * 25 + 10), QColor(60, 0, 0));
        QCOMPARE(pixel(legend, 10, 20 + 2), legend.palette().color(QPalette::Window)); // the gap
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
        const QImage image = bar.grab().toImage();
        QCOMPARE(image.pixelColor(bar.segmentRect(0).center().x(), 5), QColor(Qt::white));
        QCOMPARE(image.pixelColor(bar.segmentRect(2).center().x(), 5), QColor(0x00, 0xFF, 0xFF));
        QCOMPARE(image.pixelColor(bar.segmentRect(0).left(), 5), QColor(0xFF, 0x00, 0x00));
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
        QCOMPARE(image.pixelColor(3, 3), QColor(0x00, 0xFF, 0x00));        // 1 taken
        QCOMPARE(image.pixelColor(18 + 3, 3), QColor(0xFF, 0x00, 0x00));   // 2 duplicate
        QCOMPARE(image.pixelColor(2 * 18 + 3, 3), QColor(0xFF, 0xFF, 0xFF)); // 3 free

        // Scrolling one row shows 41 in the first cell and 1001 in the last row.
        QCOMPARE(map.numberAt(QPoint(5, 5)), 1);
        map.setFirstRow(1);
        QCOMPARE(map.numberAt(QPoint(5, 5)), 41);
        QCOMPARE(map.numberAt(QPoint(5, 24 * 18 + 5)), 1001);
        map.setFirstRow(1000);
        QCOMPARE(map.firstRow(), 125 - 25);
        QCOMPARE(map.numberAt(QPoint(39 * 18 + 5, 24 * 18 + 5)), 0); // 5000 is past the table
        QCOMPARE(map.numberAt(QPoint(38 * 18 + 5, 24 * 18 + 5)), 4999);
        map.setFirstRow(0);

        QSignalSpy chosen(&map, &NumberMap::numberChosen);
        QSignalSpy taken(&map, &NumberMap::takenNumberClicked);
        map.show();
        QTest::mouseClick(&map, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(taken.size(), 1);
        QCOMPARE(map.chosenNumber(), 0);
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
        const QPoint over(4 * 18 + 9, 1 * 18 + 9); // number 30
        QTest::mouseMove(&map, over);
        QTRY_COMPARE(map.hoveredNumber(), 30);
        const QImage image = map.grab().toImage();
        QCOMPARE(image.pixelColor(4 * 18 - 5, 1 * 18 + 9), QColor(0xDF, 0xFF, 0xFF)); // box reaches 10 px left
        bool titleBox = false;
        for (int x = 5 * 18 + 12; x < 5 * 18 + 40 && !titleBox; ++x)
            titleBox = image.pixelColor(x, 1 * 18 + 2) == QColor(0xFF, 0xFF, 0x80);
        QVERIFY(titleBox);
        QCOMPARE(map.numberAt(QPoint(24 * 18 + 5, 19 * 18 + 5)), 0); // 500 is past the table
        QCOMPARE(map.numberAt(QPoint(23 * 18 + 5, 19 * 18 + 5)), 499);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestDisplays)
#include "tst_displays.moc"
