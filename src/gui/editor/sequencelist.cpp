// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/sequencelist.h"

#include "core/app/language.h"
#include "core/model/song.h"
#include "gui/widgets/themecolours.h"

#include <QApplication>
#include <QMouseEvent>

#include <utility>

namespace {

const QColor kRefrainBackground(0x80, 0xFF, 0xFF);

} // namespace

SequenceList::SequenceList(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("sequenceList"));
    setAccessibleName(Lang::text(Txt::TimingSequence));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

QString SequenceList::entryText(int entry)
{
    return entry == RefrainMarker ? QStringLiteral("R") : QString::number(entry);
}

void SequenceList::showEntries(const QList<int> &entries, int select)
{
    clear();
    for (const int entry : entries) {
        auto *item = new QListWidgetItem(entryText(entry), this);
        item->setTextAlignment(Qt::AlignCenter);
        const QColor shown = ThemeColours::background(entry == RefrainMarker ? kRefrainBackground : QColor(Qt::white),
                                                      palette());
        item->setBackground(shown);
        item->setForeground(ThemeColours::textOn(shown));
    }
    if (select >= 0 && select < count()) {
        setCurrentRow(select);
        scrollToItem(item(select));
    }
}

void SequenceList::mousePressEvent(QMouseEvent *event)
{
    QListWidget::mousePressEvent(event);
    m_dragging = false;
    m_pressedRow = event->button() == Qt::LeftButton ? row(itemAt(event->position().toPoint())) : -1;
    m_pressPos = event->position().toPoint();
}

void SequenceList::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressedRow < 0 || !(event->buttons() & Qt::LeftButton))
        return;
    if (!m_dragging
        && (event->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
        m_dragging = true;
        setCursor(Qt::DragMoveCursor);
    }
}

void SequenceList::mouseReleaseEvent(QMouseEvent *event)
{
    QListWidget::mouseReleaseEvent(event);
    const int from = std::exchange(m_pressedRow, -1);
    const bool dragged = std::exchange(m_dragging, false);
    unsetCursor();
    if (from < 0 || event->button() != Qt::LeftButton)
        return;
    const int to = row(itemAt(event->position().toPoint()));
    if (!dragged) {
        if (to == from)
            emit entryClicked(from);
    } else if (to >= 0 && to != from) {
        emit entryDropped(from, to);
    }
}
