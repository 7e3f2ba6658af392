// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/library/libraryiteminfo.h"

#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>

// The library tree. Songs and slides can be marked several at a time (plain, Ctrl and Shift
// clicks and their keyboard counterparts follow the library's own rules, not the platform's):
// a mark set of more than one item holds songs and slides only, and a range never leaves its
// parent. Songs are dragged onto other groups and onto the playlist page. The commands are
// LibraryActions': the tree only signals.
class LibraryTree : public QTreeWidget
{
    Q_OBJECT
public:
    static constexpr int kKindRole = Qt::UserRole;
    // A file node's name on disk, with its extension as the file spells it.
    static constexpr int kFileNameRole = Qt::UserRole + 1;
    static constexpr int kExpandDelayMs = 500;
    // Mime type of a dragged library item: the item's full path, UTF-8.
    static QString mimeType();

    explicit LibraryTree(QWidget *parent = nullptr);

    static LibraryNodeKind kindOf(const QTreeWidgetItem *item);
    // Builds the tree from nodes in their order (the root is expanded, groups stay collapsed).
    void build(const QList<LibraryTreeNode> &nodes);
    // The root node names the library shown.
    void setRootText(const QString &text);
    // Clears the items and the selection state.
    void clearTree();
    // Deletes one item (with its children), forgetting it as anchor or drag source first.
    void removeItem(QTreeWidgetItem *item);

    // The record of an item, with root as the card root.
    LibraryItemInfo itemInfo(const QTreeWidgetItem *item, const QString &root) const;
    // Every marked item in pre-order.
    QList<QTreeWidgetItem *> markedItems() const;
    int selectedCount() const { return int(selectedItems().size()); }
    bool nonFileSelected() const { return m_nonFileSelected; }
    QTreeWidgetItem *anchor() const { return m_anchor; }

    // The next item in pre-order (first child, next sibling, a parent's next sibling), or null.
    static QTreeWidgetItem *nextInOrder(QTreeWidgetItem *item);

    // The click rules, as a left click with these modifiers on item.
    void clickItem(QTreeWidgetItem *item, Qt::KeyboardModifiers modifiers);

    // A node's place that outlives a rebuild: its kind and its texts from the root down.
    static QString keyOf(const QTreeWidgetItem *item);
    // The key of a node of kind below the root (parentText: a song's group).
    static QString keyFor(LibraryNodeKind kind, const QString &parentText, const QString &text);
    // The keys of the expanded nodes and of the current item, to be given back after a rebuild.
    struct State
    {
        QStringList expanded;
        QString current;
    };
    State state() const;
    // Expands the nodes of state that still exist and selects (and shows) select, or else the
    // state's current item; false when neither exists any more.
    bool restoreState(const State &state, const QString &select = {});
    // A line below the nodes on how to get songs onto an empty library; empty for none.
    void setEmptyHint(const QString &text);

signals:
    void newGroupRequested();
    void searchRequested();
    void continueSearchRequested();
    void deleteRequested();
    void renameRequested();
    // Enter on a song, slide or playlist.
    void openRequested();
    void addToPlaylistRequested(QTreeWidgetItem *item);
    void contextMenuRequested(QTreeWidgetItem *item, const QPoint &globalPos);
    // A dragged song was dropped on a song or a group node (records with an empty root).
    void songDropped(const LibraryItemInfo &dragged, const LibraryItemInfo &target);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_emptyHint;
    void plainClick(QTreeWidgetItem *item, bool allowAnchor);
    void mark(QTreeWidgetItem *item, QItemSelectionModel::SelectionFlags how);
    void makeCurrent(QTreeWidgetItem *item);
    bool acceptsDrop(QTreeWidgetItem *target) const;
    void startDrag(QTreeWidgetItem *item);
    // Keyboard marking; true when the key was one of them and is handled.
    bool markByKey(QKeyEvent *event);
    void markRange(QTreeWidgetItem *to);
    bool m_enforcing = false;

    QTreeWidgetItem *m_anchor = nullptr;
    bool m_nonFileSelected = false;
    QTreeWidgetItem *m_pressed = nullptr;
    QPoint m_pressPos;
    QTreeWidgetItem *m_dragged = nullptr;
    QTreeWidgetItem *m_expandTarget = nullptr;
    QTimer m_expandTimer;
};
