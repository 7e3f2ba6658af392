// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/libraryplaylistresolver.h"

#include "core/library/librarynaming.h"
#include "core/library/songlibrary.h"
#include "core/model/song.h"
#include "core/model/itemname.h"
#include "core/util/posixfile.h"


namespace {

constexpr qsizetype kMaxMatchedTitle = 42;

QStringView matchedTitle(const QString &name)
{
    return name.size() > ItemName::kTitleStart ? QStringView(name).mid(ItemName::kTitleStart, kMaxMatchedTitle)
                                                : QStringView(u"");
}

// The first name met with a title is the one every lookup finds.
template <typename Value>
void addFirst(QHash<QStringView, Value> &index, QStringView key, const Value &value)
{
    if (!index.contains(key))
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
    m_directories.resize(size_t(groups.size()) + 1);
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

LibraryPlaylistResolver::~LibraryPlaylistResolver() = default;

PlaylistTarget LibraryPlaylistResolver::resolve(PlaylistEntry::Type type, const QString &title)
{
    const QHash<QStringView, Location> &index = type == PlaylistEntry::Slide ? m_slides : m_songs;
    const auto it = index.constFind(QStringView(title));
    if (it == index.cend())
        return {};
    return readTarget(it.value());
}

PlaylistTarget LibraryPlaylistResolver::readTarget(const Location &location)
{
    const auto cached = m_read.constFind(location.name);
    if (cached != m_read.cend())
        return cached.value();
    const QString path = location.group < 0 ? m_library.slidePath(*location.name)
                                            : m_library.songPath(m_library.groups().at(location.group).name,
                                                                 *location.name);
    PlaylistTarget target;
    target.path = path;
    if (m_depth == Depth::CheckReadable) {
        target.found = opens(location.group, *location.name, path);
        target.number = ItemName::number(*location.name);
    } else if (Song song; SongFile::load(path, song, nullptr, m_options)) {
        target.found = true;
        target.number = song.number();
        target.refrainIndex = song.refrainIndex();
    }
    m_read.insert(location.name, target);
    return target;
}

bool LibraryPlaylistResolver::opens(int group, const QString &fileName, const QString &path)
{
    std::unique_ptr<PosixFile> &directory = m_directories[group < 0 ? m_directories.size() - 1 : size_t(group)];
    if (!directory) {
        const QString directoryPath = path.left(path.lastIndexOf(u'/'));
        directory = std::make_unique<PosixFile>(PosixFile::directory(directoryPath));
    }
    // Opening is the whole test: only a regular file, and a pipe never blocks the open.
    const QString name = fileName + QStringView(group < 0 ? ItemName::kSlideExtension : ItemName::kSongExtension);
    return (directory->isOpen() ? PosixFile(*directory, name) : PosixFile(path)).regularFileSize() >= 0;
}

bool loadLibraryPlaylist(Playlist &playlist, const QString &path, SongLibrary &library, CharsetMode charset,
                         const SongLoadOptions &options)
{
    LibraryPlaylistResolver resolver(library, options);
    return playlist.load(path, charset, &resolver, &library.issues());
}
