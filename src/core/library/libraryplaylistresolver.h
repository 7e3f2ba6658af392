// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/playlist.h"
#include "core/model/songfile.h"

#include <QHash>
#include <QString>

#include <atomic>
#include <memory>

class Playlist;
class PosixFile;
class SongLibrary;

// Resolves playlist titles against a scanned library: songs in the groups, slides in
// "screen_dir". A file matches when its name after the first five characters, at most 42 of
// them, equals the title; groups are searched in listing order and the first match wins.
// The library must outlive the resolver and keep its lists unchanged. Built once per scan, so that
// a card with many playlists does not walk every name per entry nor read the same song again for
// each list that names it. With Depth::CheckReadable, resolve() may be called from several
// threads at once: each file is still checked once, and every list gets that one answer.
class LibraryPlaylistResolver : public PlaylistResolver
{
public:
    enum class Depth {
        // Each match is read as a song: number and refrain as the file says.
        ReadSongs,
        // A match only has to open: the scan, which keeps nothing of a list but its missing
        // entries, learns the same (a file that opens always reads) without parsing every song
        // that 100 playlists name. The number is the file name's; no refrain flag is set.
        CheckReadable,
    };

    explicit LibraryPlaylistResolver(const SongLibrary &library, const SongLoadOptions &options = {},
                                     Depth depth = Depth::ReadSongs);
    ~LibraryPlaylistResolver() override;

    PlaylistTarget resolve(PlaylistEntry::Type type, const QString &title) override;

private:
    // Where a name is in the library's lists: its group (-1 for the slides), its place in all
    // the lists one after the other, and the name itself.
    struct Location
    {
        int group;
        int index;
        const QString *name;
    };
    // What checking a file gave, once it is Done.
    struct Checked
    {
        enum : int { Unknown, Busy, Done };
        std::atomic_int state{Unknown};
        PlaylistTarget target;
    };

    // The file's target, checked on the first call for it.
    PlaylistTarget readTarget(const Location &location);
    PlaylistTarget check(const Location &location);
    // Whether a file of a group (-1: the slides) opens as a regular file, opened in its
    // directory's descriptor when that opens.
    bool opens(int group, const QString &path);

    const SongLibrary &m_library;
    SongLoadOptions m_options;
    Depth m_depth;
    // title -> first match; the keys view the library's names
    QHash<QStringView, Location> m_songs;
    QHash<QStringView, Location> m_slides;
    std::unique_ptr<Checked[]> m_read; // per Location::index
    // Per group, the slides' last; opened on demand, owned.
    std::unique_ptr<std::atomic<PosixFile *>[]> m_directories;
    qsizetype m_directoryCount = 0;
};

// Reads a playlist of the library's card, recording its issues in the library's issue list;
// titles are read in charset first (see Playlist::read).
bool loadLibraryPlaylist(Playlist &playlist, const QString &path, SongLibrary &library, CharsetMode charset,
                         const SongLoadOptions &options = {});
