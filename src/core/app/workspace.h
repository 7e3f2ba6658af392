// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/folderstate.h"
#include "core/app/librarysources.h"
#include "core/editor/songsaving.h"
#include "core/library/libraryiteminfo.h"
#include "core/library/songlibrary.h"

#include <QObject>
#include <QString>

class LyricIndexer;
class Song;

// What is open: the chosen card's root, its song library, the lyric index over it and the issues
// of its last reading. The pages share it and hear through it what the others did to the card;
// none of them reaches into another.
class Workspace : public QObject
{
    Q_OBJECT
public:
    explicit Workspace(QObject *parent = nullptr);
    ~Workspace() override;

    // The chosen card's root, ending with "/"; empty without a card.
    QString root() const { return m_root; }
    void setRoot(const QString &root)
    {
        m_root = root;
        m_shown = {LibrarySource::Kind::Card, QString(), root, false, false};
    }
    // The library shown: the computer's, a card or the open project; its root is root().
    LibrarySource shownLibrary() const { return m_shown; }
    void setShownLibrary(const LibrarySource &library)
    {
        m_shown = library;
        m_root = library.rootPath;
    }
    bool hasCard() const { return !m_root.isEmpty(); }
    // True when the file at path lies in the library shown (a song opened from another library
    // may be saved while this one is shown).
    bool holds(const QString &path) const;
    // Every library the list offers, in its order (the shown one among them).
    QList<LibrarySource> libraries() const { return m_libraries; }
    void setLibraries(const QList<LibrarySource> &libraries) { m_libraries = libraries; }
    // The libraries songs can be written into: those that are not read-only.
    QList<LibrarySource> writableLibraries() const;
    // What shows the library turns to the library at root, reads it again and selects files in it
    // (full paths); the lyric index is read again unless the caller keeps it current itself.
    void showFiles(const QString &root, const QStringList &files, bool reindexLyrics = true)
    {
        emit filesShowRequested(root, files, reindexLyrics);
    }
    // The song group the user works in (chosen in the library); empty when none is.
    QString currentGroup() const { return m_currentGroup; }
    void setCurrentGroup(const QString &group) { m_currentGroup = group; }
    SongLibrary &library() { return m_library; }
    const SongLibrary &library() const { return m_library; }
    const IssueList &issues() const { return m_library.issues(); }
    LyricIndexer *lyrics() const { return m_lyrics; }

    // Reads the card again (full: the files' contents too) and shows it selecting select (a tree
    // key) or else what was current; the lyric index is read again unless the caller kept it.
    void refresh(bool full, const QString &select = {}, bool reindexLyrics = true);
    // After every change of the library in memory.
    void markChanged() { emit libraryChanged(); }
    // After the library was read again and what shows it rebuilt.
    void markShown() { emit libraryShown(); }
    // Writes song as plan says; on success the index follows it and the library is read again
    // showing it. False with error set when the write failed.
    bool saveSong(Song &song, const SongSaving::Plan &plan, QString *error);
    // A song was written: the index follows it from memory and the pages hear of it.
    void songWritten(const QString &previousPath, const Song &song);
    void fileWasDeleted(const QString &path);
    void songWasMoved(const QString &from, const QString &to);
    void playlistWasRenamed(const QString &from, const QString &to);

    // The open project's folder as it was when it was opened, read from a card or saved to a
    // file; an empty root: no project is open.
    void rememberProject(const QString &root)
    {
        m_projectRoot = root;
        m_projectState = root.isEmpty() ? FolderState() : FolderState::of(root);
    }
    // True when the open project's files changed since: those changes exist only in its folder,
    // which the next project opened or read from a card replaces.
    bool projectChanged() const { return !m_projectRoot.isEmpty() && FolderState::of(m_projectRoot) != m_projectState; }
    QString projectRoot() const { return m_projectRoot; }

    // Requests between the pages.
    void openItem(const LibraryItemInfo &item);
    // A song at a place of its text; stanza < 0 opens it at its start.
    void openSongAt(const QString &path, int stanza = -1, int screen = 0, int line = 0);
    void addToPlaylist(const LibraryItemInfo &item) { emit addToPlaylistRequested(item); }
    void newPlaylist() { emit newPlaylistRequested(); }
    // A page shows the file at path: what shows the library selects it, reading nothing again.
    void showFile(const QString &path, bool slide) { emit fileShown(path, slide); }

signals:
    void refreshRequested(bool full, const QString &select, bool reindexLyrics);
    void libraryChanged();
    void libraryShown();
    // previousPath is empty for a new file.
    void fileWritten(const QString &previousPath, const QString &path);
    // After saveSong wrote path: what shows the library reads it again and selects the file.
    void songSaved(const QString &path, bool slide);
    void fileDeleted(const QString &path);
    void songMoved(const QString &from, const QString &to);
    void playlistRenamed(const QString &from, const QString &to);
    void songOpenRequested(const QString &path, int stanza, int screen, int line);
    void playlistOpenRequested(const QString &path);
    void addToPlaylistRequested(const LibraryItemInfo &item);
    void newPlaylistRequested();
    void fileShown(const QString &path, bool slide);
    void filesShowRequested(const QString &root, const QStringList &files, bool reindexLyrics);

private:
    QString m_root;
    LibrarySource m_shown;
    QList<LibrarySource> m_libraries;
    QString m_currentGroup;
    QString m_projectRoot;
    FolderState m_projectState;
    SongLibrary m_library;
    // Deleted (its worker joined) in the destructor, before the library goes.
    LyricIndexer *m_lyrics;
};
