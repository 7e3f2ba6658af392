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
    : m_library(library), m_options(options), m_depth(depth)
{
    const QList<SongGroupFiles> &groups = library.groups();
    const QStringList *slides = library.slideLists().isEmpty() ? nullptr : &library.slideLists().first().files;
    int names = 0;
    m_songs.reserve(library.songCount());
    for (int g = 0; g < groups.size(); ++g) {
        for (const QString &name : groups.at(g).files)
            addFirst(m_songs, matchedTitle(name), Location{g, names++, &name});
    }
    if (slides) {
        m_slides.reserve(slides->size());
        for (const QString &name : *slides)
            addFirst(m_slides, matchedTitle(name), Location{-1, names++, &name});
    }
    m_read = std::make_unique<Checked[]>(size_t(names));
    m_directoryCount = groups.size() + 1;
    m_directories = std::make_unique<std::atomic<PosixFile *>[]>(size_t(m_directoryCount));
}

LibraryPlaylistResolver::~LibraryPlaylistResolver()
{
    for (qsizetype d = 0; d < m_directoryCount; ++d)
        delete m_directories[size_t(d)].load();
}

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
    Checked &checked = m_read[size_t(location.index)];
    int state = checked.state.load(std::memory_order_acquire);
    if (state == Checked::Unknown && checked.state.compare_exchange_strong(state, Checked::Busy)) {
        checked.target = check(location);
        checked.state.store(Checked::Done, std::memory_order_release);
        checked.state.notify_all();
        return checked.target;
    }
    // Another thread checks this file: its answer is every list's answer, as when one thread
    // checks each file once. Sleep rather than spin: an open on a failing card can take long.
    while (state != Checked::Done) {
        checked.state.wait(state, std::memory_order_acquire);
        state = checked.state.load(std::memory_order_acquire);
    }
    return checked.target;
}

PlaylistTarget LibraryPlaylistResolver::check(const Location &location)
{
    const QString path = location.group < 0
        ? m_library.slidePath(*location.name)
        : m_library.songPath(m_library.groups().at(location.group).name, *location.name);
    PlaylistTarget target;
    target.path = path;
    if (m_depth == Depth::CheckReadable) {
        target.found = opens(location.group, path);
        target.number = ItemName::number(*location.name);
    } else if (Song song; SongFile::load(path, song, nullptr, m_options)) {
        target.found = true;
        target.number = song.number();
        target.refrainIndex = song.refrainIndex();
    }
    return target;
}

bool LibraryPlaylistResolver::opens(int group, const QString &path)
{
    std::atomic<PosixFile *> &slot = m_directories[group < 0 ? size_t(m_directoryCount - 1) : size_t(group)];
    PosixFile *directory = slot.load(std::memory_order_acquire);
    if (!directory) {
        // Two threads may open it at once: the first kept is every thread's.
        auto opened = std::make_unique<PosixFile>(PosixFile::directory(path.left(path.lastIndexOf(u'/'))));
        if (slot.compare_exchange_strong(directory, opened.get(), std::memory_order_acq_rel))
            directory = opened.release();
    }
    // Opening is the whole test: only a regular file, and a pipe never blocks the open.
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    return (directory->isOpen() ? PosixFile(*directory, name) : PosixFile(path)).regularFileSize() >= 0;
}

bool loadLibraryPlaylist(Playlist &playlist, const QString &path, SongLibrary &library, CharsetMode charset,
                         const SongLoadOptions &options)
{
    LibraryPlaylistResolver resolver(library, options);
    return playlist.load(path, charset, &resolver, &library.issues());
}
