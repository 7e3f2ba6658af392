// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/library/libraryiteminfo.h"
#include "core/model/playlist.h"
#include "core/model/playlistediting.h"

#include <QWidget>

class CommandRegistry;
class PlaylistView;
class QLabel;
class QLineEdit;
class QPushButton;
class ScreenPreview;
class Workspace;

// The playlist page: edits one playlist of the card, takes songs and slides from the library
// tree, previews each entry's screens and saves the list into "playlist_dir".
class PlaylistPage : public QWidget
{
    Q_OBJECT
public:
    // commands may be null (the page alone); then no window command is wired.
    PlaylistPage(Workspace &workspace, CommandRegistry *commands, QWidget *parent = nullptr);

    const Playlist &playlist() const { return m_playlist; }
    QString filePath() const { return m_filePath; }
    int insertPosition() const { return m_insertPosition; }
    PlaylistView *view() const { return m_view; }
    ScreenPreview *preview() const { return m_preview; }
    QString counterText() const;

    // False when the user keeps the current playlist (Cancel, or Yes and the save failed).
    bool mayDiscard();
    void newPlaylist();
    // Starts an empty playlist without asking: the caller has offered to save the current one.
    void startNewPlaylist();
    void openPlaylist(const QString &path);
    // A song or slide of the card: the insert dialog, then the entries at the insertion mark.
    void addItem(const QString &path, bool slide);
    bool save();

    void selectEntry(int index);
    void previewEntry(int index, int screen);
    void previousScreen();
    void nextScreen();
    void deleteSelected();
    void deleteAdjacent();
    void setBoardSize(int columns, int rows);

    // The open playlist's file was renamed or deleted in the tree.
    void playlistFileRenamed(const QString &from, const QString &to);
    void fileDeleted(const QString &path);

private:
    void wireWorkspace();
    void wireCommands(CommandRegistry &commands);
    void showPage();
    void refill(int focusIndex);
    void showPlaylistFacts();
    void resetPreview();
    void dropLibraryItem(const QString &relativePath);
    void moveDropped(int from, int insertPosition);
    void showMenu(const QPoint &globalPos);
    int currentIndex() const;

    Workspace &m_workspace;
    Playlist m_playlist;
    QString m_filePath;
    int m_insertPosition = 0;
    int m_previewIndex = -1;
    int m_currentScreen = 0;
    int m_screenCount = 0;
    PlaylistEditing::SongCache m_songs;

    QLabel *m_caption;
    QLineEdit *m_number;
    QLineEdit *m_title;
    QPushButton *m_save;
    QPushButton *m_previous;
    QPushButton *m_next;
    QLabel *m_counter;
    ScreenPreview *m_preview;
    PlaylistView *m_view;
};
