// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/numbermap.h"

#include "core/app/language.h"
#include "core/library/librarynaming.h"
#include "core/library/librarynumbertable.h"
#include "core/model/itemname.h"
#include "gui/widgets/drawnitemsaccessible.h"
#include "gui/widgets/themecolours.h"

#include <QKeyEvent>
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
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(sizeHint());
}

void NumberMap::setTable(const LibraryNumberTable *table)
{
    m_table = table;
    m_hovered = 0;
    if (!selectable(m_chosen))
        m_chosen = 0;
    if (!selectable(m_current))
        m_current = 0;
    update();
    DrawnItemsAccessible::notifyReset(this);
}

int NumberMap::totalRows() const
{
    if (!m_table)
        return m_rows;
    return (m_table->size() - 1 + m_columns - 1) / m_columns;
}

void NumberMap::setFirstRow(int row)
{
    const int first = qBound(0, row, qMax(0, totalRows() - m_rows));
    m_hovered = 0;
    update();
    if (first == m_firstRow)
        return;
    m_firstRow = first;
    DrawnItemsAccessible::notifyReset(this);
}

void NumberMap::setCurrentNumber(int number)
{
    if (!selectable(number))
        return;
    m_current = number;
    const int row = (number - 1) / m_columns;
    if (row < m_firstRow || row >= m_firstRow + m_rows) {
        setFirstRow(row < m_firstRow ? row : row - m_rows + 1);
        emit firstRowChanged(m_firstRow);
    }
    update();
    DrawnItemsAccessible::notifyCurrent(this);
}

QString NumberMap::numberText(int number) const
{
    if (!selectable(number))
        return {};
    const LibraryNumberTable::Entry &entry = m_table->entry(number);
    QStringList parts{QString::number(number)};
    if (entry.used)
        parts << ItemName::title(entry.fileName);
    else
        parts << Lang::text(Txt::A11yNumberFree);
    if (entry.duplicate)
        parts << Lang::text(Txt::NumberMapDuplicate);
    if (number == m_chosen)
        parts << Lang::text(Txt::NumberMapChosen);
    return parts.join(u", ");
}

void NumberMap::setChosenNumber(int number)
{
    m_chosen = selectable(number) ? number : 0;
    update();
    DrawnItemsAccessible::notifyCurrent(this);
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

void NumberMap::drawNumber(QPainter &p, const QRect &r, int number, const QColor &fill) const
{
    p.setFont(numberFont(number));
    p.setPen(ThemeColours::textOn(fill));
    p.drawText(r, Qt::AlignCenter, QString::number(number));
}

void NumberMap::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    const QColor gridLine = ThemeColours::background(kGridLine, palette());
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
        fill = ThemeColours::background(fill, palette());
        p.fillRect(r, fill);
        p.setPen(gridLine);
        p.drawRect(r);
        if (entry.used || number == m_chosen)
            drawNumber(p, r, number, fill);
    }
    drawHovered(p);
    if (hasFocus() && !cellRect(m_current).isNull()) {
        p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.drawRect(cellRect(m_current).adjusted(1, 1, -2, -2));
    }
}

void NumberMap::drawHovered(QPainter &p) const
{
    const QRect cell = cellRect(m_hovered);
    if (cell.isNull() || !selectable(m_hovered))
        return;
    const QRect box = cell.adjusted(-10, -5, 10, 5);
    const QColor boxFill = ThemeColours::background(kHoveredBox, palette());
    p.fillRect(box, boxFill);
    p.setPen(ThemeColours::textOn(boxFill));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    drawNumber(p, box, m_hovered, boxFill);

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
    const QColor titleFill = ThemeColours::background(kTitleBox, palette());
    p.fillRect(titleBox, titleFill);
    p.setPen(ThemeColours::textOn(titleFill));
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
    m_current = number;
    choose(number);
}

void NumberMap::choose(int number)
{
    const LibraryNumberTable::Entry &entry = m_table->entry(number);
    if (entry.used) {
        emit takenNumberClicked(number);
        return;
    }
    if (entry.duplicate)
        return;
    m_chosen = number;
    update();
    DrawnItemsAccessible::notifyCurrent(this);
    emit numberChosen(number);
}

void NumberMap::keyPressEvent(QKeyEvent *event)
{
    if (!m_table || event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int page = m_columns * m_rows;
    const int from = m_current ? m_current : 1;
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_Up:
        step = -m_columns;
        break;
    case Qt::Key_Down:
        step = m_columns;
        break;
    case Qt::Key_PageUp:
        step = -page;
        break;
    case Qt::Key_PageDown:
        step = page;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!m_current) {
            setCurrentNumber(from);
        } else if (m_current == m_chosen && event->key() != Qt::Key_Space) {
            emit numberDoubleClicked(m_current);
        } else {
            choose(m_current);
        }
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    // Moves stay on the table; a step past either end stops at the last number it can reach.
    int target = from + (m_current ? step : 0);
    if (!selectable(target))
        target = qBound(1, target, m_table->size() - 1);
    setCurrentNumber(target);
}

void NumberMap::focusInEvent(QFocusEvent *event)
{
    if (!m_current && m_table)
        m_current = m_chosen ? m_chosen : qMax(1, m_firstRow * m_columns + 1);
    update();
    QWidget::focusInEvent(event);
}

void NumberMap::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
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
