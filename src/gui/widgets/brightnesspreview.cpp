// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/brightnesspreview.h"

#include <QPainter>

BrightnessPreview::BrightnessPreview(QWidget *parent) : QWidget(parent)
{
    for (int i = 0; i < kLines; ++i)
        m_lines << QString(20, u' ');
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BrightnessPreview::setLine(int index, const QString &text)
{
    if (index < 0 || index >= kLines)
        return;
    m_lines[index] = text.left(20);
    update();
}

void BrightnessPreview::setBrightness(int brightness)
{
    m_brightness = brightness;
    update();
}

QColor BrightnessPreview::textColour(int brightness)
{
    // Clamped rather than wrapped, so that full brightness does not flip to a dark blue.
    const int green = qBound(0, int(220 - brightness / 2.5), 255);
    const int blue = qBound(0, int(brightness * 1.3 + 142), 255);
    return QColor(0xFB, green, blue);
}

void BrightnessPreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(kLineHeight);
    font.setBold(true);
    p.setFont(font);
    p.setPen(textColour(m_brightness));
    for (int i = 0; i < kLines; ++i)
        p.drawText(QRect(0, i * kLineHeight, width(), kLineHeight), Qt::AlignLeft | Qt::AlignTop, m_lines[i]);
}
