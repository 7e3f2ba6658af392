// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/colourlegend.h"

#include <QPainter>

ColourLegend::ColourLegend(QWidget *parent) : QWidget(parent) {}

bool ColourLegend::addColour(const QColor &colour)
{
    if (m_colours.size() >= kMaxColours)
        return false;
    m_colours.append(colour);
    update();
    return true;
}

void ColourLegend::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    const int side = width();
    for (int i = 0; i < m_colours.size(); ++i)
        p.fillRect(QRect(0, i * (side + kGap), side, side), m_colours[i]);
}
