// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/glyphcell.h"

#include "gui/widgets/boardcolours.h"
#include "gui/widgets/drawnitemsaccessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

GlyphCell::GlyphCell(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(sizeHint());
}

QRect GlyphCell::dotRect(int column, int row)
{
    return QRect(QPoint(column * kPitch + 5, row * kPitch + 5), QPoint(column * kPitch + 24, row * kPitch + 24));
}

void GlyphCell::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void GlyphCell::setColumns(const std::array<quint8, 5> &columns)
{
    m_columns = columns;
    update();
    DrawnItemsAccessible::notifyReset(this);
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
            p.drawEllipse(dotRect(i, j));
        }
    }
    if (hasFocus()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 2));
        p.drawEllipse(dotRect(m_column, m_row).adjusted(-2, -2, 2, 2));
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
    m_column = column;
    m_row = row;
    toggle(column, row);
}

void GlyphCell::toggle(int column, int row)
{
    m_columns[column] ^= quint8(0x80 >> row);
    update();
    DrawnItemsAccessible::notifyCurrent(this);
    emit columnsChanged();
}

void GlyphCell::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        m_column = qMax(0, m_column - 1);
        break;
    case Qt::Key_Right:
        m_column = qMin(4, m_column + 1);
        break;
    case Qt::Key_Up:
        m_row = qMax(0, m_row - 1);
        break;
    case Qt::Key_Down:
        m_row = qMin(7, m_row + 1);
        break;
    case Qt::Key_Space:
        toggle(m_column, m_row);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    update();
    DrawnItemsAccessible::notifyCurrent(this);
}

void GlyphCell::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void GlyphCell::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}
