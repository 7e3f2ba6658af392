// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/librarysources.h"
#include "core/card/driveprovider.h"
#include "core/library/libraryiteminfo.h"
#include "core/model/loadissue.h"
#include "gui/library/libraryview.h"

#include <QWidget>

#include <memory>

class CommandRegistry;
class DriveCombo;
class IssueWindow;
class LibraryActions;
class LibraryTree;
class LyricIndexer;
class LyricSearchField;
struct LyricHit;
class QLabel;
class QStackedWidget;
class QTimer;
class QTreeWidgetItem;
class UDisks2DriveProvider;
class Workspace;

// The library panel on the left of the main window: the list of libraries over the library tree.
// The list offers the computer's library (the settings' song directory), every card and the open
// project; the tree shows the chosen one, which the workspace holds. The panel reads it when a
// card comes, another entry is chosen or a refresh is asked for, and reports the status bar's
// texts; the commands on the library are its LibraryActions'.
class LibraryPanel : public QWidget, public LibraryView
{
    Q_OBJECT
public:
    // removableDrives: the drives besides the folder cards (tests pass a fake); may be null.
    // commands may be null (the panel alone); then no window command is wired.
    LibraryPanel(Workspace &workspace, CommandRegistry *commands, std::shared_ptr<DriveProvider> removableDrives = {},
                 QWidget *parent = nullptr);
    ~LibraryPanel() override;

    // The first poll of the drive list, while the start-up flag is set: a card present at start
    // is read at once (without the question of a newly inserted card). Runs once.
    void initialUpdate();
    bool isStartingUp() const { return m_startingUp; }
    // The first drive poll is over and no scan runs: the tree shows what the panel will show.
    bool isSettled() const { return m_initialised && !m_startingUp && !m_scanning; }
    // Offers a folder as a card in the drive list; false when it is no directory.
    bool addCardFolder(const QString &path);
    // Checks a folder before it is offered as a card: one that cannot be read is reported, and
    // one that holds other things but no card folders is offered only after the user agrees
    // (the scan would create the card folders in it). False when it was not offered.
    bool offerCardFolder(const QString &path) override;

    Workspace &workspace() { return m_workspace; }
    LibraryTree *tree() const { return m_tree; }
    DriveCombo *driveList() const override { return m_drives; }
    // --- the list of libraries ---
    // The computer's library (the settings' song directory); the list offers it first. Without an
    // application object the list offers the cards alone.
    QString computerRoot() const;
    void setComputerRoot(const QString &root);
    // The open project's entry (an empty root removes it); shown: the tree turns to it.
    void setOpenProject(const OpenProject &project, bool shown);
    OpenProject openProject() const;
    // Chooses the list's entry with this root and shows it; false when the list has none.
    bool showLibrary(const QString &root);
    // The card shown last (the wizard's default target); empty when no card was shown.
    QString lastCardRoot() const { return m_lastCardRoot; }
    // A card read into a new project (the wizard's restore): it becomes the open project, shown.
    void showRestoredProject(const QString &projectRoot, const QString &cardLabel);
    // A card read into a library of the list: that library is shown, read again.
    void showRestoredLibrary(const QString &rootPath);
    // Songs were written into the library at root (an import): it is shown, read again, with
    // those files (full paths) selected.
    void showImported(const QString &root, const QStringList &files, bool reindexLyrics = true);

    // Every drive the list offers: the removable ones and the folder cards.
    std::shared_ptr<DriveProvider> allDrives() const { return m_allDrives; }
    // The UDisks2 backend behind the removable drives, for formatting; null without one.
    UDisks2DriveProvider *udisks() const { return m_udisks; }
    IssueWindow *issueWindow() const override { return m_issueWindow; }
    // The chosen card's root, ending with "/"; empty without a card.
    QString root() const;
    // The record of the tree's current item (kind None when there is none).
    LibraryItemInfo selectedItem() const;

    // The commands on the card, its tree and its files.
    LibraryActions *actions() const { return m_actions; }
    // The lyric index of the card and the search field over the tree.
    LyricIndexer *lyricIndexer() const;
    LyricSearchField *searchField() const { return m_searchField; }
    // Opens the song a search hit names; a file gone is reported, a changed one read again.
    void openLyricHit(const LyricHit &hit);

    // Reads the card again (full: the files' contents too) and rebuilds the tree, keeping the
    // expanded nodes and selecting select (a LibraryTree key) or else the item that was current.
    // The lyric index is read again too, unless the caller has kept it current itself.
    void refreshLibrary(bool full, const QString &select = {}, bool reindexLyrics = true) override;
    void rebuildTree(const QString &select = {}) override;
    void updateStatus();
    // After every change of the card library: the status and the issue window follow it.
    void libraryChanged();

    // --- card notifications ---
    void cardInserted();
    void cardRemoved();

signals:
    // The status bar's texts: the drive, the song count and the slide count; chosen: a card is.
    void statusChanged(const QString &drive, const QString &songs, const QString &slides, bool chosen);
    // The tree is usable (a card is chosen) or not; the pages follow it.
    void libraryEnabledChanged(bool enabled);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setLibraryEnabled(bool on);
    // The tree, or the first-start text with its buttons while no card is chosen.
    void showEmptyState(bool on);
    QWidget *createEmptyState();
    // Empties the card library and the tree, for a card that cannot be read.
    void forgetLibrary();
    void selectIssueFile(IssueFileType fileType, const QString &group, const QString &file);
    // Gives a file whose name is not UTF-8 the name chosen in the issue window, then reads the card again.
    void renameIssueFile(const QByteArray &rawPath, const QString &newName);
    void driveChosen();
    // Shows the chosen entry that is no newly chosen card: read at once, without the card question.
    void showChosen(bool resetPlaylist);
    // Creates the computer's library with its card folders when it is missing; false when it cannot be.
    bool ensureComputerLibrary();
    // The computer's library shown was deleted behind the program: it is made again and read.
    void checkComputerLibrary();
    void reportGone(const LibrarySource &gone);
    QString emptyHint() const;
    // After a save: the card is read again and the saved file selected.
    void showSavedFile(const QString &path, bool slide);
    // The tree key of a song or slide file.
    QString keyOfFile(const QString &path, bool slide) const;

    Workspace &m_workspace;
    CommandRegistry *m_commands;
    std::shared_ptr<FolderCardProvider> m_folders;
    std::shared_ptr<CombinedDriveProvider> m_allDrives;
    UDisks2DriveProvider *m_udisks = nullptr;
    DriveCombo *m_drives;
    LibraryTree *m_tree;
    QStackedWidget *m_treeArea;
    QWidget *m_emptyState;
    QLabel *m_emptyStateText = nullptr;
    IssueWindow *m_issueWindow;
    LibraryActions *m_actions = nullptr;
    LyricSearchField *m_searchField;
    QString m_shownRoot; // the card the tree was built from
    QString m_lastCardRoot;
    QTimer *m_computerCheck = nullptr;
    bool m_startingUp = true;
    bool m_initialised = false;
    bool m_scanning = false;
    bool m_handlingInsert = false;
    bool m_quietSwitch = false; // the program turns the list: no card question
    bool m_goneShown = false;   // the message that the shown card went is on its way
};
