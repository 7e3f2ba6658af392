// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/librarytree.h"

#include "core/app/language.h"
#include "gui/widgets/emptyhint.h"
#include "gui/widgets/librarydrag.h"
#include "gui/widgets/treeicons.h"

#include <QApplication>
#include <QDrag>
#include <QHash>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>

namespace {

int imageOf(LibraryNodeKind kind)
{
    switch (kind) {
    case LibraryNodeKind::Root:
        return TreeIcons::Card;
    case LibraryNodeKind::Group:
        return TreeIcons::Group;
    case LibraryNodeKind::Song:
        return TreeIcons::Song;
    case LibraryNodeKind::SlidesNode:
        return TreeIcons::SlidesNode;
    case LibraryNodeKind::Slide:
        return TreeIcons::Slide;
    case LibraryNodeKind::PlaylistsNode:
        return TreeIcons::PlaylistsNode;
    case LibraryNodeKind::Playlist:
        return TreeIcons::Playlist;
    case LibraryNodeKind::None:
        break;
    }
    return 0;
}

bool isMultiSelectable(LibraryNodeKind kind)
{
    return kind == LibraryNodeKind::Song || kind == LibraryNodeKind::Slide;
}

} // namespace

QString LibraryTree::mimeType()
{
    return libraryItemMimeType();
}

LibraryTree::LibraryTree(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("libraryTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setIconSize(QSize(16, 16));
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    viewport()->setAcceptDrops(true);
    m_expandTimer.setSingleShot(true);
    m_expandTimer.setInterval(kExpandDelayMs);
    connect(&m_expandTimer, &QTimer::timeout, this, [this] {
        if (m_expandTarget)
            m_expandTarget->setExpanded(true);
    });
}

LibraryNodeKind LibraryTree::kindOf(const QTreeWidgetItem *item)
{
    return item ? LibraryNodeKind(item->data(0, kKindRole).toInt()) : LibraryNodeKind::None;
}

void LibraryTree::clearTree()
{
    m_anchor = m_pressed = m_dragged = m_expandTarget = nullptr;
    m_nonFileSelected = false;
    m_expandTimer.stop();
    clear();
}

void LibraryTree::removeItem(QTreeWidgetItem *item)
{
    if (!item)
        return;
    for (QTreeWidgetItem **kept : {&m_anchor, &m_pressed, &m_dragged, &m_expandTarget}) {
        for (QTreeWidgetItem *p = *kept; p; p = p->parent()) {
            if (p == item) {
                *kept = nullptr;
                break;
            }
        }
    }
    delete item;
}

void LibraryTree::build(const QList<LibraryTreeNode> &nodes)
{
    setUpdatesEnabled(false);
    clearTree();
    QList<QTreeWidgetItem *> items;
    items.reserve(nodes.size());
    for (const LibraryTreeNode &node : nodes) {
        QTreeWidgetItem *item = node.parent < 0 ? new QTreeWidgetItem(this)
                                                : new QTreeWidgetItem(items.at(node.parent));
        item->setText(0, node.textId != 0 ? Lang::text(node.textId) : node.text);
        item->setData(0, kKindRole, int(node.kind));
        if (!node.fileName.isEmpty())
            item->setData(0, kFileNameRole, node.fileName);
        item->setIcon(0, TreeIcons::icon(imageOf(node.kind)));
        items.append(item);
    }
    setUpdatesEnabled(true);
    if (!items.isEmpty()) {
        items.first()->setExpanded(true);
        scrollToItem(items.first());
    }
}

LibraryItemInfo LibraryTree::itemInfo(const QTreeWidgetItem *item, const QString &root) const
{
    if (!item)
        return {};
    const QString parentText = item->parent() ? item->parent()->text(0) : QString();
    return LibraryItemInfo::fromNode(kindOf(item), item->text(0), parentText, root,
                                     item->data(0, kFileNameRole).toString());
}

QTreeWidgetItem *LibraryTree::nextInOrder(QTreeWidgetItem *item)
{
    if (!item)
        return nullptr;
    if (item->childCount() > 0)
        return item->child(0);
    while (item) {
        QTreeWidgetItem *parent = item->parent();
        QTreeWidget *tree = item->treeWidget();
        const int index = parent ? parent->indexOfChild(item) : tree->indexOfTopLevelItem(item);
        const int siblings = parent ? parent->childCount() : tree->topLevelItemCount();
        if (index + 1 < siblings)
            return parent ? parent->child(index + 1) : tree->topLevelItem(index + 1);
        item = parent;
    }
    return nullptr;
}

QList<QTreeWidgetItem *> LibraryTree::markedItems() const
{
    QList<QTreeWidgetItem *> marked;
    for (QTreeWidgetItem *item = topLevelItem(0); item; item = nextInOrder(item)) {
        if (item->isSelected())
            marked.append(item);
    }
    return marked;
}

void LibraryTree::mark(QTreeWidgetItem *item, QItemSelectionModel::SelectionFlags how)
{
    selectionModel()->select(indexFromItem(item), how);
}

void LibraryTree::makeCurrent(QTreeWidgetItem *item)
{
    selectionModel()->setCurrentIndex(indexFromItem(item), QItemSelectionModel::NoUpdate);
}

void LibraryTree::plainClick(QTreeWidgetItem *item, bool allowAnchor)
{
    clearSelection();
    makeCurrent(item);
    mark(item, QItemSelectionModel::Select);
    if (allowAnchor && isMultiSelectable(kindOf(item))) {
        m_anchor = item;
        m_nonFileSelected = false;
    } else {
        m_anchor = nullptr;
        m_nonFileSelected = true;
    }
}

void LibraryTree::clickItem(QTreeWidgetItem *item, Qt::KeyboardModifiers modifiers)
{
    if (!item)
        return;
    const bool file = isMultiSelectable(kindOf(item));
    if (modifiers & Qt::ControlModifier) {
        if (!file) {
            plainClick(item, false);
        } else if (m_nonFileSelected || selectedCount() == 0) {
            plainClick(item, true);
        } else {
            makeCurrent(item);
            mark(item, QItemSelectionModel::Toggle);
        }
        return;
    }
    if (modifiers & Qt::ShiftModifier) {
        clearSelection();
        if (!m_anchor) {
            m_anchor = item;
            makeCurrent(item);
            mark(item, QItemSelectionModel::Select);
            m_nonFileSelected = !file;
            return;
        }
        if (m_anchor->parent() != item->parent())
            return;
        QTreeWidgetItem *parent = item->parent();
        const int from = parent->indexOfChild(m_anchor);
        const int to = parent->indexOfChild(item);
        for (int i = std::min(from, to); i <= std::max(from, to); ++i)
            mark(parent->child(i), QItemSelectionModel::Select);
        makeCurrent(m_anchor);
        m_nonFileSelected = false;
        return;
    }
    plainClick(item, true);
}

void LibraryTree::mousePressEvent(QMouseEvent *event)
{
    QTreeWidgetItem *item = itemAt(event->position().toPoint());
    m_pressed = nullptr;
    if (!item) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::RightButton) {
        // The menu acts on the item under the mouse. A click outside the marks selects that item
        // alone, so that "Usuń" never deletes files other than the one the menu was opened on.
        if (item->isSelected())
            makeCurrent(item);
        else
            plainClick(item, true);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    // A click left of the item's text is on its expand arrow.
    if (item->childCount() > 0 && event->position().x() < visualItemRect(item).x()) {
        item->setExpanded(!item->isExpanded());
        return;
    }
    setFocus(Qt::MouseFocusReason);
    clickItem(item, event->modifiers());
    m_pressed = item;
    m_pressPos = event->position().toPoint();
}

void LibraryTree::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || !m_pressed)
        return;
    if ((event->position().toPoint() - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    QTreeWidgetItem *item = m_pressed;
    m_pressed = nullptr;
    if (isMultiSelectable(kindOf(item)))
        startDrag(item);
}

void LibraryTree::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressed = nullptr;
    event->accept();
}

void LibraryTree::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeWidgetItem *item = itemAt(event->position().toPoint());
    if (item && event->button() == Qt::LeftButton)
        emit addToPlaylistRequested(item);
}

QString LibraryTree::keyOf(const QTreeWidgetItem *item)
{
    if (!item)
        return {};
    // The root's text names the library shown; the key leaves it out so that it holds across libraries.
    QStringList texts;
    for (const QTreeWidgetItem *p = item; p->parent(); p = p->parent())
        texts.prepend(p->text(0));
    return QString::number(int(kindOf(item))) + u'\x1f' + texts.join(u'\x1f');
}

QString LibraryTree::keyFor(LibraryNodeKind kind, const QString &parentText, const QString &text)
{
    QStringList texts;
    if (kind == LibraryNodeKind::Slide)
        texts << Lang::text(Txt::TreeSlides);
    else if (kind == LibraryNodeKind::Playlist)
        texts << Lang::text(Txt::TreePlaylists);
    else if (kind == LibraryNodeKind::Song)
        texts << parentText;
    texts << text;
    return QString::number(int(kind)) + u'\x1f' + texts.join(u'\x1f');
}

void LibraryTree::setRootText(const QString &text)
{
    if (QTreeWidgetItem *root = topLevelItem(0))
        root->setText(0, text);
}

LibraryTree::State LibraryTree::state() const
{
    State kept;
    for (QTreeWidgetItem *item = topLevelItem(0); item; item = nextInOrder(item)) {
        if (item->childCount() > 0 && item->isExpanded())
            kept.expanded << keyOf(item);
    }
    kept.current = keyOf(currentItem());
    return kept;
}

bool LibraryTree::restoreState(const State &state, const QString &select)
{
    QHash<QString, QTreeWidgetItem *> byKey;
    for (QTreeWidgetItem *item = topLevelItem(0); item; item = nextInOrder(item))
        byKey.insert(keyOf(item), item);
    for (const QString &key : state.expanded) {
        if (QTreeWidgetItem *item = byKey.value(key))
            item->setExpanded(true);
    }
    QTreeWidgetItem *chosen = byKey.value(select);
    if (!chosen)
        chosen = byKey.value(state.current);
    if (!chosen)
        return false;
    for (QTreeWidgetItem *p = chosen->parent(); p; p = p->parent())
        p->setExpanded(true);
    clickItem(chosen, Qt::NoModifier);
    scrollToItem(chosen);
    return true;
}

void LibraryTree::markRange(QTreeWidgetItem *to)
{
    QTreeWidgetItem *parent = to->parent();
    const int from = parent->indexOfChild(m_anchor);
    const int end = parent->indexOfChild(to);
    clearSelection();
    QItemSelection range(indexFromItem(parent->child(std::min(from, end))),
                         indexFromItem(parent->child(std::max(from, end))));
    selectionModel()->select(range, QItemSelectionModel::Select);
    makeCurrent(to);
    m_nonFileSelected = false;
}

bool LibraryTree::markByKey(QKeyEvent *event)
{
    QTreeWidgetItem *current = currentItem();
    const bool file = isMultiSelectable(kindOf(current));
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (event->matches(QKeySequence::SelectAll)) {
        // Every song or slide beside the current one; never a node of another kind.
        if (file) {
            QTreeWidgetItem *parent = current->parent();
            m_anchor = parent->child(0);
            markRange(parent->child(parent->childCount() - 1));
            makeCurrent(current);
        }
        return true;
    }
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) {
        clickItem(current, mods & Qt::ControlModifier);
        return true;
    }
    static const QHash<int, CursorAction> kMoves = {
        {Qt::Key_Up, MoveUp},         {Qt::Key_Down, MoveDown},
        {Qt::Key_PageUp, MovePageUp}, {Qt::Key_PageDown, MovePageDown},
        {Qt::Key_Home, MoveHome},     {Qt::Key_End, MoveEnd},
    };
    if (!(mods & Qt::ShiftModifier) || !kMoves.contains(event->key()) || !current)
        return false;
    QTreeWidgetItem *target = itemFromIndex(moveCursor(kMoves.value(event->key()), Qt::NoModifier));
    if (!file) {
        // A container is never part of a range: Shift moves on like a plain key.
        clickItem(target ? target : current, Qt::NoModifier);
        scrollToItem(currentItem());
        return true;
    }
    if (!m_anchor || m_anchor->parent() != current->parent() || !m_anchor->isSelected())
        m_anchor = current;
    QTreeWidgetItem *parent = current->parent();
    if (!target || target->parent() != parent) {
        // The range stops at the first or last item of its parent.
        const bool down = event->key() == Qt::Key_Down || event->key() == Qt::Key_PageDown
            || event->key() == Qt::Key_End;
        target = parent->child(down ? parent->childCount() - 1 : 0);
    }
    markRange(target);
    scrollToItem(target);
    return true;
}

void LibraryTree::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QTreeWidget::selectionChanged(selected, deselected);
    if (m_enforcing)
        return;
    // Whatever marked them, a root, group or list node never joins other marks.
    const QItemSelection all = selectionModel()->selection();
    const bool several = all.size() > 1 || (all.size() == 1 && all.first().height() > 1);
    if (!several)
        return;
    QItemSelection refused;
    for (const QModelIndex &index : selected.indexes()) {
        if (!isMultiSelectable(kindOf(itemFromIndex(index))))
            refused.select(index, index);
    }
    if (refused.isEmpty())
        return;
    m_enforcing = true;
    selectionModel()->select(refused, QItemSelectionModel::Deselect);
    m_enforcing = false;
}

void LibraryTree::keyPressEvent(QKeyEvent *event)
{
    if (markByKey(event)) {
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Delete:
        emit deleteRequested();
        return;
    case Qt::Key_F2:
        emit renameRequested();
        return;
    case Qt::Key_F7:
        emit newGroupRequested();
        return;
    case Qt::Key_F3:
        emit continueSearchRequested();
        return;
    case Qt::Key_F:
        if (event->modifiers() & Qt::ControlModifier) {
            emit searchRequested();
            return;
        }
        break;
    case Qt::Key_Insert:
        // What a double click does: the current song or slide goes into the playlist.
        if (currentItem() && event->modifiers() == Qt::NoModifier) {
            emit addToPlaylistRequested(currentItem());
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter opens the current song, slide or playlist, and opens or closes a folder node.
        if (currentItem()
            && (isMultiSelectable(kindOf(currentItem())) || kindOf(currentItem()) == LibraryNodeKind::Playlist)
            && event->modifiers() == Qt::NoModifier)
            emit openRequested();
        else if (currentItem())
            currentItem()->setExpanded(!currentItem()->isExpanded());
        event->accept();
        return;
    case Qt::Key_Escape:
        // Swallowed: the panel must not close or trigger anything on it.
        event->accept();
        return;
    default:
        break;
    }
    QTreeWidget::keyPressEvent(event);
    // Keyboard moves mark the new current item alone, as a plain click would.
    if (QTreeWidgetItem *item = currentItem(); item && item->isSelected() && selectedCount() == 1) {
        m_anchor = isMultiSelectable(kindOf(item)) ? item : nullptr;
        m_nonFileSelected = !m_anchor;
    }
}

void LibraryTree::contextMenuEvent(QContextMenuEvent *event)
{
    QTreeWidgetItem *item = currentItem();
    if (item && viewport()->rect().contains(viewport()->mapFromGlobal(event->globalPos())))
        emit contextMenuRequested(item, event->globalPos());
}

void LibraryTree::startDrag(QTreeWidgetItem *item)
{
    auto *data = new QMimeData;
    data->setData(mimeType(), itemInfo(item, QString()).fullPath.toUtf8());
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(item->icon(0).pixmap(16, 16));
    m_dragged = item;
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    m_dragged = nullptr;
    m_expandTimer.stop();
}

bool LibraryTree::acceptsDrop(QTreeWidgetItem *target) const
{
    // A song goes onto another song (its group) or straight onto a group node; slides stay put.
    if (!m_dragged || kindOf(m_dragged) != LibraryNodeKind::Song || !target || target == m_dragged)
        return false;
    const LibraryNodeKind kind = kindOf(target);
    return kind == LibraryNodeKind::Song || kind == LibraryNodeKind::Group;
}

void LibraryTree::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(mimeType()) && m_dragged)
        event->acceptProposedAction();
    else
        event->ignore();
}

void LibraryTree::dragMoveEvent(QDragMoveEvent *event)
{
    QTreeWidgetItem *item = itemAt(event->position().toPoint());
    if (item)
        makeCurrent(item);
    const LibraryNodeKind kind = kindOf(item);
    const bool container = kind == LibraryNodeKind::Root || kind == LibraryNodeKind::Group
        || kind == LibraryNodeKind::SlidesNode || kind == LibraryNodeKind::PlaylistsNode;
    if (container) {
        m_expandTarget = item;
        m_expandTimer.start();
    } else {
        m_expandTimer.stop();
    }
    if (acceptsDrop(item))
        event->acceptProposedAction();
    else
        event->ignore();
}

void LibraryTree::dragLeaveEvent(QDragLeaveEvent *event)
{
    m_expandTimer.stop();
    QTreeWidget::dragLeaveEvent(event);
}

void LibraryTree::dropEvent(QDropEvent *event)
{
    m_expandTimer.stop();
    QTreeWidgetItem *target = itemAt(event->position().toPoint());
    if (!acceptsDrop(target)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The move refreshes the tree, which deletes both items: finish the drag first.
    const LibraryItemInfo dragged = itemInfo(m_dragged, QString());
    const LibraryItemInfo onto = itemInfo(target, QString());
    QMetaObject::invokeMethod(
        this, [this, dragged, onto] { emit songDropped(dragged, onto); }, Qt::QueuedConnection);
}

void LibraryTree::setEmptyHint(const QString &text)
{
    if (text == m_emptyHint)
        return;
    m_emptyHint = text;
    viewport()->update();
}

void LibraryTree::paintEvent(QPaintEvent *event)
{
    QTreeWidget::paintEvent(event);
    if (m_emptyHint.isEmpty())
        return;
    // Below the last node shown, so that the hint never covers one.
    int bottom = 0;
    for (QTreeWidgetItem *item = topLevelItem(0); item; item = itemBelow(item))
        bottom = std::max(bottom, visualItemRect(item).bottom());
    paintEmptyHint(this, m_emptyHint, bottom);
}
