// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/glyphcell.h"

#include "gui/widgets/boardcolours.h"

#include <QMouseEvent>
#include <QPainter>

GlyphCell::GlyphCell(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(sizeHint());
}

void GlyphCell::setColumns(const std::array<quint8, 5> &columns)
{
    m_columns = columns;
    update();
}

void GlyphCell::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 8; ++j) {
            const bool lit = m_columns[i] & (0x80 >> j);
            p.setBrush(lit ? BoardColours::kLit : BoardColours::kGlyphCellUnlit);
            p.drawEllipse(QRect(QPoint(i * kPitch + 5, j * kPitch + 5), QPoint(i * kPitch + 24, j * kPitch + 24)));
        }
    }
}

void GlyphCell::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const int column = pos.x() / kPitch;
    const int row = pos.y() / kPitch;
    if (column < 0 || column >= 5 || row < 0 || row >= 8)
        return;
    m_columns[column] ^= quint8(0x80 >> row);
    update();
    emit columnsChanged();
}
