// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/numbermap.h"

#include "core/library/librarynaming.h"
#include "core/library/librarynumbertable.h"
#include "core/model/itemname.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor kFree(0xFF, 0xFF, 0xFF);
const QColor kHoveredBox(0xDF, 0xFF, 0xFF);
const QColor kTitleBox(0xFF, 0xFF, 0x80);
const QColor kGridLine(0xC0, 0xC0, 0xC0);

QFont numberFont(int number)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(number >= 1000 ? 6 : 8);
    return font;
}

} // namespace

NumberMap::NumberMap(int columns, int rows, QWidget *parent) : QWidget(parent), m_columns(columns), m_rows(rows)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(sizeHint());
}

void NumberMap::setTable(const LibraryNumberTable *table)
{
    m_table = table;
    m_hovered = 0;
    if (!selectable(m_chosen))
        m_chosen = 0;
    update();
}

int NumberMap::totalRows() const
{
    if (!m_table)
        return m_rows;
    return (m_table->size() - 1 + m_columns - 1) / m_columns;
}

void NumberMap::setFirstRow(int row)
{
    m_firstRow = qBound(0, row, qMax(0, totalRows() - m_rows));
    m_hovered = 0;
    update();
}

void NumberMap::setChosenNumber(int number)
{
    m_chosen = selectable(number) ? number : 0;
    update();
}

bool NumberMap::selectable(int number) const
{
    return m_table && number >= 1 && number < m_table->size();
}

int NumberMap::numberAt(const QPoint &pos) const
{
    if (pos.x() < 0 || pos.y() < 0)
        return 0;
    const int column = pos.x() / kCell;
    const int row = pos.y() / kCell;
    if (column >= m_columns || row >= m_rows)
        return 0;
    const int number = (m_firstRow + row) * m_columns + column + 1;
    return selectable(number) ? number : 0;
}

QRect NumberMap::cellRect(int number) const
{
    const int k = number - 1 - m_firstRow * m_columns;
    if (number < 1 || k < 0 || k >= m_columns * m_rows)
        return {};
    return QRect((k % m_columns) * kCell, (k / m_columns) * kCell, kCell, kCell);
}

void NumberMap::drawNumber(QPainter &p, const QRect &r, int number) const
{
    p.setFont(numberFont(number));
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, QString::number(number));
}

void NumberMap::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    for (int k = 0; k < m_columns * m_rows; ++k) {
        const int number = m_firstRow * m_columns + k + 1;
        if (!selectable(number))
            break;
        const QRect r((k % m_columns) * kCell, (k / m_columns) * kCell, kCell, kCell);
        const LibraryNumberTable::Entry &entry = m_table->entry(number);
        QColor fill = kFree;
        if (number == m_chosen)
            fill = kChosenColour;
        else if (entry.used)
            fill = entry.duplicate ? kDuplicateColour : kTakenColour;
        p.fillRect(r, fill);
        p.setPen(kGridLine);
        p.drawRect(r);
        if (entry.used || number == m_chosen)
            drawNumber(p, r, number);
    }
    drawHovered(p);
}

void NumberMap::drawHovered(QPainter &p) const
{
    const QRect cell = cellRect(m_hovered);
    if (cell.isNull() || !selectable(m_hovered))
        return;
    const QRect box = cell.adjusted(-10, -5, 10, 5);
    p.fillRect(box, kHoveredBox);
    p.setPen(Qt::black);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    drawNumber(p, box, m_hovered);

    const LibraryNumberTable::Entry &entry = m_table->entry(m_hovered);
    if (!entry.used)
        return;
    const QString title = ItemName::title(entry.fileName);
    if (title.isEmpty())
        return;
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    p.setFont(font);
    QRect titleBox = p.fontMetrics().boundingRect(title).adjusted(-4, -2, 4, 2);
    titleBox.moveTopLeft(QPoint(box.right() + 2, box.top()));
    if (titleBox.right() >= width()) {
        // Keep it inside: to the left, one row up, or one row down where there is no room above.
        titleBox.moveRight(qMax(titleBox.width(), box.left() - 2));
        const int rowShift = kCell + 5;
        titleBox.translate(0, titleBox.top() - rowShift < 0 ? rowShift : -rowShift);
    }
    if (titleBox.top() < 0)
        titleBox.moveTop(0);
    if (titleBox.bottom() >= height())
        titleBox.moveBottom(height() - 1);
    p.fillRect(titleBox, kTitleBox);
    p.setPen(Qt::black);
    p.drawRect(titleBox.adjusted(0, 0, -1, -1));
    p.drawText(titleBox, Qt::AlignCenter, title);
}

void NumberMap::mouseMoveEvent(QMouseEvent *event)
{
    const int number = numberAt(event->position().toPoint());
    if (number == m_hovered)
        return;
    m_hovered = number;
    update();
}

void NumberMap::leaveEvent(QEvent *)
{
    if (m_hovered) {
        m_hovered = 0;
        update();
    }
}

void NumberMap::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int number = numberAt(event->position().toPoint());
    if (!number)
        return;
    const LibraryNumberTable::Entry &entry = m_table->entry(number);
    if (entry.used) {
        emit takenNumberClicked(number);
        return;
    }
    if (entry.duplicate)
        return;
    m_chosen = number;
    update();
    emit numberChosen(number);
}

// Not a second press: a double-click on a taken number was told once, by its first click.
void NumberMap::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int number = numberAt(event->position().toPoint());
    if (number && !m_table->entry(number).used && number == m_chosen)
        emit numberDoubleClicked(number);
}
