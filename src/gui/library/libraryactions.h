// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/library/libraryiteminfo.h"
#include "core/library/librarynaming.h"
#include "core/library/titlecollation.h"

#include <QObject>
#include <QString>

#include <functional>

class CommandRegistry;
class LibraryTree;
class LibraryView;
class LyricFileCommands;
class Workspace;
class QMenu;
class QWidget;
class QTreeWidgetItem;

// The commands on the library panel's card: groups, deletion, renaming, moves between groups,
// sorting, search, the issue window, the repairs and the card commands. It answers the tree's
// requests and the window's library commands, builds the tree's context menus, and tells the
// other pages through the workspace what it opened, moved or deleted.
class LibraryActions : public QObject
{
    Q_OBJECT
public:
    // Wires the tree's requests and, with a registry, the window's library commands. owner holds
    // the dialogs and boxes; view shows the workspace's library in tree.
    LibraryActions(QWidget *owner, Workspace &workspace, LibraryTree *tree, LibraryView &view,
                   CommandRegistry *commands);

    // The context menu of an item's kind, with its texts and greying; the caller owns it.
    QMenu *createContextMenu(QTreeWidgetItem *item);

    void newGroup();
    void deleteGroup();
    void deleteSelected();
    void renamePlaylist();
    void expandCurrent();
    void expandAll();
    void collapseAll();
    TitleCollation::SortMode sortMode() const { return m_sortMode; }
    void setSortMode(TitleCollation::SortMode mode);
    void openGroupFolder();
    void showIssueWindow();
    void repairDuplicates(LibraryNaming::ItemKind kind);
    void initialiseCard();
    void openFolderAsCard();
    // Offers folder as a card (after its checks) and chooses it in the drive list.
    void openCardFolder(const QString &folder);
    // Opens the user's copy of the shipped demo card, made on first use.
    void openDemoCard();
    void editGroupColours();
    void openCurrentItem();
    void addCurrentToPlaylist();
    void newPlaylist();
    // A song dragged onto a song or a group node moves into that group.
    void moveSong(const LibraryItemInfo &dragged, const LibraryItemInfo &target);

    // --- search ---
    struct Search
    {
        bool byNumber = false;
        QString text; // lower case
        int number = -1;
        QTreeWidgetItem *current = nullptr;
    };
    const Search &search() const { return m_search; }
    void setSearch(bool byNumber, const QString &lowerText, int number);
    void openSearch();
    // Searches from the search's current item; false when nothing was found.
    bool findNext();
    void continueSearch();
    // The tree's items are about to go: the search starts again from the top.
    void forgetSearchPosition() { m_search.current = nullptr; }

private:
    void wireCommands(CommandRegistry &commands);
    Workspace &workspace() const { return m_workspace; }
    LibraryTree *tree() const { return m_tree; }
    QString root() const;
    // The record of the tree's current item (kind None when there is none).
    LibraryItemInfo selectedItem() const;
    QTreeWidgetItem *currentItem() const;
    void selectFound(QTreeWidgetItem *item);
    QTreeWidgetItem *findText(QTreeWidgetItem *from, const std::function<bool(QTreeWidgetItem *)> &matches);
    // The marked items "Usuń" may delete.
    QList<QTreeWidgetItem *> deletableItems() const;
    static QString deleteQuestion(const QList<QTreeWidgetItem *> &files);

    QWidget *m_owner;
    Workspace &m_workspace;
    LibraryTree *m_tree;
    LibraryView &m_view;
    TitleCollation::SortMode m_sortMode = TitleCollation::SortMode::ByTitle;
    Search m_search;
    LyricFileCommands *m_lyricFiles;
};
