// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/playlist/playlistview.h"

#include "gui/widgets/librarydrag.h"

#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>

QString PlaylistView::entryMimeType()
{
    return QStringLiteral("application/x-lumivox-playlist-entry");
}

PlaylistView::PlaylistView(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("playlistView"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    header()->setSectionsMovable(false);
}

void PlaylistView::setInsertPosition(int position)
{
    m_insertPosition = qBound(0, position, topLevelItemCount());
    viewport()->update();
}

int PlaylistView::insertPositionAt(const QPoint &pos) const
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid())
        return pos.y() < 0 ? 0 : topLevelItemCount();
    const int row = index.row();
    if (row == 0 && pos.y() < visualRect(index).center().y())
        return 0;
    return row + 1;
}

void PlaylistView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    m_pressedRow = event->button() == Qt::LeftButton && index.isValid() ? index.row() : -1;
    m_pressPos = event->position().toPoint();
    QTreeWidget::mousePressEvent(event);
}

void PlaylistView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressedRow < 0 || !(event->buttons() & Qt::LeftButton)
        || (event->position().toPoint() - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    auto *data = new QMimeData;
    data->setData(entryMimeType(), QByteArray::number(m_pressedRow));
    m_pressedRow = -1;
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
}

bool PlaylistView::acceptsDrag(const QMimeData *data) const
{
    return data && (data->hasFormat(entryMimeType()) || data->hasFormat(libraryItemMimeType()));
}

void PlaylistView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!acceptsDrag(event->mimeData()))
        return event->ignore();
    event->acceptProposedAction();
}

void PlaylistView::dragMoveEvent(QDragMoveEvent *event)
{
    if (!acceptsDrag(event->mimeData()))
        return event->ignore();
    const int position = insertPositionAt(event->position().toPoint());
    if (position != m_insertPosition) {
        setInsertPosition(position);
        emit insertPositionChanged(m_insertPosition);
    }
    event->acceptProposedAction();
}

void PlaylistView::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (!acceptsDrag(data))
        return event->ignore();
    setInsertPosition(insertPositionAt(event->position().toPoint()));
    emit insertPositionChanged(m_insertPosition);
    event->acceptProposedAction();
    if (data->hasFormat(entryMimeType())) {
        bool ok = false;
        const int from = data->data(entryMimeType()).toInt(&ok);
        if (ok)
            emit entryDropped(from, m_insertPosition);
    } else {
        emit libraryItemDropped(QString::fromUtf8(data->data(libraryItemMimeType())));
    }
}

void PlaylistView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete) {
        emit deleteRequested();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void PlaylistView::contextMenuEvent(QContextMenuEvent *event)
{
    const QModelIndex index = indexAt(event->pos());
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    emit menuRequested(event->globalPos());
}

void PlaylistView::paintEvent(QPaintEvent *event)
{
    QTreeWidget::paintEvent(event);
    const int count = topLevelItemCount();
    if (count == 0)
        return;
    int y = 0;
    if (m_insertPosition <= 0)
        y = visualItemRect(topLevelItem(0)).top();
    else
        y = visualItemRect(topLevelItem(qMin(m_insertPosition, count) - 1)).bottom() + 1;
    QPainter painter(viewport());
    painter.fillRect(QRect(0, y - 2, viewport()->width(), 4), palette().text());
}
