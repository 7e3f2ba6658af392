// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/themecolours.h"

#include <QtMath>

namespace ThemeColours {

namespace {

double channel(double value)
{
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : qPow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &colour)
{
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) + 0.0722 * channel(colour.blue());
}

// The same hue at another lightness, its saturation toned down so that it does not glare.
QColor withLightness(const QColor &colour, int lightness, double saturation)
{
    const QColor hsl = colour.toHsl();
    return QColor::fromHsl(hsl.hslHue(), int(hsl.hslSaturation() * saturation), lightness);
}

} // namespace

bool isDark(const QPalette &palette)
{
    return luminance(palette.color(QPalette::Window)) < 0.2;
}

QColor background(const QColor &light, const QPalette &palette)
{
    if (!isDark(palette))
        return light;
    // As dark as the light colour is light: white becomes near black, pale tints deep shades.
    return withLightness(light, qBound(28, 255 - light.toHsl().lightness(), 64), 0.8);
}

QColor foreground(const QColor &dark, const QPalette &palette)
{
    if (!isDark(palette))
        return dark;
    return withLightness(dark, qBound(205, 255 - dark.toHsl().lightness(), 230), 1.0);
}

QColor textOn(const QColor &background)
{
    return contrast(background, Qt::black) >= contrast(background, Qt::white) ? QColor(Qt::black) : QColor(Qt::white);
}

QPalette darkPalette()
{
    const QColor text(0xEE, 0xEE, 0xEE);
    const QColor disabled(0x80, 0x80, 0x80);
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2B, 0x2B, 0x2B));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText, QPalette::BrightText})
        dark.setColor(role, text);
    dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    dark.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
    dark.setColor(QPalette::ToolTipBase, QColor(0x40, 0x40, 0x40));
    dark.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Link, QColor(0x7A, 0xB8, 0xFF));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, disabled);
    return dark;
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

} // namespace ThemeColours
