// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/workspace.h"

#include "core/model/song.h"
#include "core/search/lyricindexer.h"
#include "core/util/fileutils.h"

#include <QFileInfo>

Workspace::Workspace(QObject *parent) : QObject(parent), m_lyrics(new LyricIndexer)
{
    connect(this, &Workspace::fileDeleted, m_lyrics, &LyricIndexer::songRemoved);
    connect(this, &Workspace::songMoved, m_lyrics, &LyricIndexer::songRenamed);
}

Workspace::~Workspace()
{
    delete m_lyrics;
}

QList<LibrarySource> Workspace::writableLibraries() const
{
    QList<LibrarySource> writable;
    for (const LibrarySource &library : m_libraries) {
        if (!library.readOnly)
            writable << library;
    }
    return writable;
}

void Workspace::refresh(bool full, const QString &select, bool reindexLyrics)
{
    emit refreshRequested(full, select, reindexLyrics);
}

bool Workspace::saveSong(Song &song, const SongSaving::Plan &plan, QString *error)
{
    const QString previousPath = song.kind() == SongKind::NewSong ? QString() : song.path();
    if (!SongSaving::execute(song, plan, error))
        return false;
    songWritten(previousPath, song);
    emit songSaved(song.path(), song.kind() == SongKind::Slide);
    return true;
}

bool Workspace::holds(const QString &path) const
{
    return !m_root.isEmpty() && isSameOrInside(path, m_root);
}

void Workspace::songWritten(const QString &previousPath, const Song &song)
{
    if (!previousPath.isEmpty() && previousPath != song.path() && !QFileInfo::exists(previousPath))
        m_lyrics->songRemoved(previousPath);
    // The index covers the library shown only.
    if (holds(song.path()))
        m_lyrics->songSaved(song);
    emit fileWritten(previousPath, song.path());
}

void Workspace::fileWasDeleted(const QString &path)
{
    emit fileDeleted(path);
}

void Workspace::songWasMoved(const QString &from, const QString &to)
{
    emit songMoved(from, to);
}

void Workspace::playlistWasRenamed(const QString &from, const QString &to)
{
    emit playlistRenamed(from, to);
}

void Workspace::openItem(const LibraryItemInfo &item)
{
    if (item.kind == LibraryNodeKind::Playlist)
        emit playlistOpenRequested(item.fullPath);
    else
        openSongAt(item.fullPath);
}

void Workspace::openSongAt(const QString &path, int stanza, int screen, int line)
{
    emit songOpenRequested(path, stanza, screen, line);
}
