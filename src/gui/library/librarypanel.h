// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/driveprovider.h"
#include "core/library/libraryiteminfo.h"
#include "core/library/songlibrary.h"

#include <QWidget>

#include <memory>

class IssueWindow;
class MainWindow;
class DriveCombo;
class LibraryTree;
class QMenu;
class QTreeWidgetItem;

// The library panel on the left of the main window: the drive list over the library tree.
// It owns the card library that the tree shows and handles every library command: refresh,
// groups, deletion, renaming, moves between groups, search, the issue window and the repairs.
class LibraryPanel : public QWidget
{
    Q_OBJECT
public:
    // removableDrives: the drives besides the folder cards (tests pass a fake); may be null.
    explicit LibraryPanel(MainWindow *frame, std::shared_ptr<DriveProvider> removableDrives = {},
                        QWidget *parent = nullptr);
    ~LibraryPanel() override;

    // The first poll of the drive list, while the start-up flag is set: a card present at start
    // is read at once (without the question of a newly inserted card). Runs once.
    void initialUpdate();
    bool isStartingUp() const { return m_startingUp; }
    // Offers a folder as a card in the drive list; false when it is no directory.
    bool addCardFolder(const QString &path);

    SongLibrary &library() { return m_library; }
    // The second library object, handed to the playlist page.
    SongLibrary &secondLibrary() { return m_secondLibrary; }
    LibraryTree *tree() const { return m_tree; }
    DriveCombo *driveList() const { return m_drives; }
    IssueWindow *issueWindow() const { return m_issueWindow; }
    // The chosen card's root, ending with "/"; empty without a card.
    QString root() const { return m_root; }
    TitleCollation::SortMode sortMode() const { return m_sortMode; }
    // The record of the tree's current item (kind None when there is none).
    LibraryItemInfo selectedItem() const;

    // The context menu of an item's kind, with its texts and greying; the caller owns it.
    QMenu *createContextMenu(QTreeWidgetItem *item);

    // --- commands ---
    void refreshLibrary(bool full);
    void rebuildTree();
    void updateStatus();
    void newGroup();
    void deleteGroup();
    void deleteSelected();
    void renamePlaylist();
    void expandCurrent();
    void expandAll();
    void collapseAll();
    void setSortMode(TitleCollation::SortMode mode);
    void openGroupFolder();
    void openSearch();
    // Searches from the search's current item; false when nothing was found.
    bool findNext();
    void continueSearch();
    void showIssueWindow();
    void repairDuplicates(LibraryNaming::ItemKind kind);
    void initialiseCard();
    void openFolderAsCard();
    void editGroupColours();
    void openCurrentItem();
    void addCurrentToPlaylist();
    // A song dragged onto a song or a group node moves into that group.
    void moveSong(const LibraryItemInfo &dragged, const LibraryItemInfo &target);

    // --- card notifications ---
    void cardInserted();
    void cardRemoved();

    // Search state, for the search commands.
    struct Search
    {
        bool byNumber = false;
        QString text; // lower case
        int number = -1;
        QTreeWidgetItem *current = nullptr;
    };
    const Search &search() const { return m_search; }
    void setSearch(bool byNumber, const QString &lowerText, int number);

signals:
    // The pages of later parts listen; while nobody does, the entries that send them are greyed.
    void openFileRequested(const LibraryItemInfo &item);
    void addToPlaylistRequested(const LibraryItemInfo &item);
    void newPlaylistRequested();
    // After every rebuild of the tree.
    void treeRebuilt();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void connectFrame();
    void setLibraryEnabled(bool on);
    void driveChosen();
    QTreeWidgetItem *currentItem() const;
    void selectFound(QTreeWidgetItem *item);
    QTreeWidgetItem *findText(QTreeWidgetItem *from, const std::function<bool(QTreeWidgetItem *)> &matches);
    bool hasListener(const char *signal) const;

    MainWindow *m_frame;
    std::shared_ptr<FolderCardProvider> m_folders;
    std::shared_ptr<CombinedDriveProvider> m_allDrives;
    DriveCombo *m_drives;
    LibraryTree *m_tree;
    IssueWindow *m_issueWindow;
    SongLibrary m_library;
    SongLibrary m_secondLibrary;
    QString m_root;
    TitleCollation::SortMode m_sortMode = TitleCollation::SortMode::ByTitle;
    Search m_search;
    bool m_startingUp = true;
    bool m_initialised = false;
    bool m_handlingInsert = false;
};
