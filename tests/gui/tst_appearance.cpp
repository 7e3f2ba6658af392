// SPDX-License-Identifier: GPL-3.0-or-later
// The program on a screen of twice the density and in a dark palette: the matrix drawn sharp,
// every fixed colour readable.
#include "core/app/language.h"
#include "gui/editor/ledmatrix.h"
#include "gui/main/desktopscheme.h"
#include "gui/widgets/boardcolours.h"
#include "gui/widgets/lineicon.h"
#include "gui/widgets/themecolours.h"
#include "testsupport.h"

#include <QApplication>
#include <QDBusVariant>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QToolButton>

#include <memory>

class TestAppearance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
    }

    // Each prescribed colour stays in a light palette; in a dark one its equivalent carries
    // readable text (contrast 4.5 or more), and a text colour reads on the dark window.
    void themeColours_data()
    {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("text");
        const struct
        {
            const char *name;
            QColor colour;
            bool text;
        } rows[] = {
            {"free number, white cell", Qt::white, false},
            {"taken number", QColor(0, 255, 0), false},
            {"duplicate number", QColor(255, 0, 0), false},
            {"chosen number", QColor(128, 255, 255), false},
            {"box under the mouse", QColor(223, 255, 255), false},
            {"title box", QColor(255, 255, 128), false},
            {"playlist entry not valid", QColor(128, 128, 128), false},
            {"playlist slide, issue band", QColor(128, 255, 128), false},
            {"playlist title", QColor(200, 255, 255), false},
            {"playlist refrain, timing current", QColor(0, 255, 255), false},
            {"timing screen box", QColor(0xC0, 0xFF, 0xFF), false},
            {"timing stanza label", QColor(0x00, 0x64, 0x00), true},
            {"card wizard warning band", QColor(255, 200, 200), false},
            {"link", QColor(0x00, 0x00, 0xFF), true},
        };
        for (const auto &row : rows)
            QTest::newRow(row.name) << row.colour << row.text;
    }
    void themeColours()
    {
        QFETCH(QColor, colour);
        QFETCH(bool, text);
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        const QPalette light = fusion->standardPalette();
        const QPalette dark = ThemeColours::darkPalette();
        QVERIFY(!ThemeColours::isDark(light));
        QVERIFY(ThemeColours::isDark(dark));
        if (text) {
            QCOMPARE(ThemeColours::foreground(colour, light), colour);
            const QColor shown = ThemeColours::foreground(colour, dark);
            QVERIFY2(ThemeColours::contrast(shown, dark.color(QPalette::Window)) >= 4.5, qPrintable(shown.name()));
            return;
        }
        QCOMPARE(ThemeColours::background(colour, light), colour);
        QVERIFY(ThemeColours::contrast(ThemeColours::textOn(colour), colour) >= 4.5);
        const QColor shown = ThemeColours::background(colour, dark);
        QCOMPARE(ThemeColours::textOn(shown), QColor(Qt::white));
        QVERIFY2(ThemeColours::contrast(Qt::white, shown) >= 4.5, qPrintable(shown.name()));
    }

    // A line icon's grey strokes take the dark palette's text colour, keeping their transparency;
    // its coloured and light parts stay, and a button switches with its palette.
    void lineIcons()
    {
        const QPalette dark = ThemeColours::darkPalette();
        const QRgb text = dark.color(QPalette::WindowText).rgb() & RGB_MASK;
        const struct
        {
            QRgb in;
            QRgb out;
        } pixels[] = {
            {qRgba(32, 32, 32, 255), text | 0xFF000000},        {qRgba(64, 64, 64, 16), text | 0x10000000},
            {qRgba(32, 96, 192, 255), qRgba(32, 96, 192, 255)}, {qRgba(255, 255, 255, 255), qRgba(255, 255, 255, 255)},
            {qRgba(220, 0, 0, 255), qRgba(220, 0, 0, 255)},     {qRgba(0, 0, 0, 0), qRgba(0, 0, 0, 0)},
        };
        QImage image(int(std::size(pixels)), 1, QImage::Format_ARGB32);
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, 0, pixels[x].in);
        const QImage shown = LineIcon::recoloured(image, dark.color(QPalette::WindowText));
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(shown.pixel(x, 0), pixels[x].out);

        QToolButton button;
        const QIcon icon(QPixmap::fromImage(image));
        LineIcon::setOn(&button, icon);
        QCOMPARE(button.icon().cacheKey(), icon.cacheKey());
        button.setPalette(dark);
        QCOMPARE(button.icon().pixmap(QSize(6, 1), 1.0).toImage().pixel(0, 0), pixels[0].out);
    }

    // At twice the density every dot is 8 x 8 device pixels with 2 x 2 black corners: drawn, not
    // stretched from a picture of half the size (which would blur its edges).
    void matrixSharp()
    {
        LedMatrix matrix;
        matrix.show();
        QVERIFY(QTest::qWaitForWindowExposed(&matrix));
        const QImage image = matrix.grab().toImage();
        QCOMPARE(image.size(), matrix.size() * 2);
        for (const QPoint dot : {LedMatrix::dotPosition(0, 0, 0, 0), LedMatrix::dotPosition(7, 4, 3, 6)}) {
            const QPoint at = dot * 2;
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    const bool corner = (x < 2 || x >= 6) && (y < 2 || y >= 6);
                    const QColor expected = corner ? QColor(Qt::black) : BoardColours::kUnlit;
                    QCOMPARE(image.pixelColor(at + QPoint(x, y)), expected);
                }
            }
        }
    }
    // The desktop's preference as the settings portal sends it, wrapped once or twice.
    void desktopPreference_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<DesktopScheme::Preference>("expected");
        const auto wrapped = [](const QVariant &v) { return QVariant::fromValue(QDBusVariant(v)); };
        QTest::newRow("dark, wrapped twice") << wrapped(wrapped(1u)) << DesktopScheme::Preference::Dark;
        QTest::newRow("light") << wrapped(2u) << DesktopScheme::Preference::Light;
        QTest::newRow("no preference") << wrapped(0u) << DesktopScheme::Preference::None;
        QTest::newRow("a text is no scheme") << wrapped(QStringLiteral("1")) << DesktopScheme::Preference::None;
    }
    void desktopPreference()
    {
        QFETCH(QVariant, value);
        QFETCH(DesktopScheme::Preference, expected);
        QCOMPARE(DesktopScheme::fromPortalValue(value), expected);
    }

    // Dark while the desktop prefers it, then back to exactly the look the program had.
    void darkLookComesAndGoes()
    {
        DesktopScheme scheme(QDBusConnection(QStringLiteral("no bus")));
        const QPalette before = QApplication::palette();
        const QString style = QApplication::style()->name();
        scheme.apply(DesktopScheme::Preference::Dark);
        QVERIFY(ThemeColours::isDark(QApplication::palette()));
        QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
        scheme.apply(DesktopScheme::Preference::Light);
        QCOMPARE(QApplication::palette(), before);
        QCOMPARE(QApplication::style()->name(), style);
    }
};

int main(int argc, char **argv)
{
    // A screen of twice the density, as on many laptops.
    qputenv("QT_SCALE_FACTOR", "2");
    TestSupport::initApplicationIdentity();
    QApplication app(argc, argv);
    TestAppearance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_appearance.moc"
