// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/libraryplaylistresolver.h"

#include "core/library/librarynaming.h"
#include "core/library/songlibrary.h"
#include "core/model/song.h"
#include "core/model/itemname.h"
#include "core/util/posixfile.h"


namespace {

constexpr qsizetype kMaxMatchedTitle = 42;

QString matchedTitle(const QString &name)
{
    return name.size() > ItemName::kTitleStart ? name.mid(ItemName::kTitleStart, kMaxMatchedTitle) : QString();
}

// The first name met with a title is the one every lookup finds.
template <typename Value>
void addFirst(QHash<QString, Value> &index, const QString &key, const Value &value)
{
    auto it = index.find(key);
    if (it == index.end())
        index.insert(key, value);
}

} // namespace

LibraryPlaylistResolver::LibraryPlaylistResolver(const SongLibrary &library, const SongLoadOptions &options,
                                                 Depth depth)
    : m_library(library)
    , m_options(options)
    , m_depth(depth)
{
    const QList<SongGroupFiles> &groups = library.groups();
    m_songs.reserve(library.songCount());
    for (int g = 0; g < groups.size(); ++g) {
        for (const QString &name : groups.at(g).files)
            addFirst(m_songs, matchedTitle(name), Location{g, &name});
    }
    if (!library.slideLists().isEmpty()) {
        m_slides.reserve(library.slideLists().first().files.size());
        for (const QString &name : library.slideLists().first().files)
            addFirst(m_slides, matchedTitle(name), Location{-1, &name});
    }
}

PlaylistTarget LibraryPlaylistResolver::resolve(PlaylistEntry::Type type, const QString &title)
{
    const QHash<QString, Location> &index = type == PlaylistEntry::Slide ? m_slides : m_songs;
    const auto it = index.constFind(title);
    if (it == index.cend())
        return {};
    return readTarget(it.value());
}

PlaylistTarget LibraryPlaylistResolver::readTarget(const Location &location)
{
    const QString path = location.group < 0 ? m_library.slidePath(*location.name)
                                            : m_library.songPath(m_library.groups().at(location.group).name,
                                                                 *location.name);
    const auto cached = m_read.constFind(path);
    if (cached != m_read.cend())
        return cached.value();
    PlaylistTarget target;
    target.path = path;
    if (m_depth == Depth::CheckReadable) {
        // Opening is the whole test: only a regular file, and a pipe never blocks the open.
        target.found = PosixFile(path).regularFileSize() >= 0;
        target.number = ItemName::number(*location.name);
    } else if (Song song; SongFile::load(path, song, nullptr, m_options)) {
        target.found = true;
        target.number = song.number();
        target.refrainIndex = song.refrainIndex();
    }
    m_read.insert(path, target);
    return target;
}

bool loadLibraryPlaylist(Playlist &playlist, const QString &path, SongLibrary &library, CharsetMode charset,
                         const SongLoadOptions &options)
{
    LibraryPlaylistResolver resolver(library, options);
    return playlist.load(path, charset, &resolver, &library.issues());
}
