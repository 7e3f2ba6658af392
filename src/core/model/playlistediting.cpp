// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/playlistediting.h"

#include "core/model/song.h"
#include "core/model/songfile.h"

#include <QFileInfo>

namespace PlaylistEditing {

namespace {

PlaylistEntry baseEntry(const Song &song, const QString &path, bool slide, int option)
{
    PlaylistEntry entry;
    entry.found = true;
    entry.title = song.title();
    entry.path = path;
    entry.option = quint8(qBound(0, option, 255));
    entry.songNumber = quint16(qBound(0, song.number(), 0xFFFF));
    entry.type = slide ? PlaylistEntry::Slide : PlaylistEntry::Song;
    return entry;
}

// The stanza byte for a stanza position: the refrain flag when it is the song's refrain.
quint8 stanzaByte(const Song &song, int position)
{
    const int plain = qBound(0, position & 0x7F, 127);
    const bool refrain = song.refrainIndex() != 0 && plain == song.refrainIndex();
    return quint8(plain | (refrain ? PlaylistEntry::kRefrainFlag : 0));
}

} // namespace

InsertResult insertEntries(Playlist &playlist, int *position, const Song &song, const QString &path,
                           const InsertChoice &choice)
{
    const bool slide = song.kind() == SongKind::Slide;
    QList<PlaylistEntry> built;
    const PlaylistEntry base = baseEntry(song, path, slide, choice.option);
    const auto add = [&](quint8 stanza, bool exists) {
        PlaylistEntry entry = base;
        entry.stanza = stanza;
        entry.found = exists;
        built.append(entry);
    };
    if (slide) {
        add(1, song.stanzaCount() >= 1);
    } else if (choice.mode == InsertChoice::OneStanza) {
        const int plain = choice.stanza & 0x7F;
        add(stanzaByte(song, plain), plain >= 1 && plain <= song.stanzaCount());
    } else if (choice.mode == InsertChoice::Range) {
        for (int p = qMax(1, choice.from); p <= qMin(choice.to, 127); ++p)
            add(stanzaByte(song, p), p <= song.stanzaCount());
    } else {
        for (int element : song.sequence()) {
            if (element == 0)
                break;
            const bool exists = song.stanzaOfEntry(element) >= 0;
            if (element == RefrainMarker)
                add(quint8((song.refrainIndex() & 0x7F) | PlaylistEntry::kRefrainFlag), exists);
            else
                add(stanzaByte(song, element), exists);
        }
    }

    InsertResult result;
    int at = qBound(0, *position, int(playlist.count()));
    for (const PlaylistEntry &entry : std::as_const(built)) {
        if (playlist.count() >= kMaxEntries) {
            result.full = true;
            break;
        }
        playlist.insert(at++, entry);
        ++result.added;
    }
    *position = at;
    return result;
}

int moveEntry(Playlist &playlist, int from, int insertPosition)
{
    const int count = int(playlist.count());
    if (from < 0 || from >= count)
        return -1;
    int target = qBound(0, insertPosition, count);
    if (target > from)
        --target;
    if (target == from)
        return -1;
    playlist.move(from, target);
    return target;
}

std::pair<int, int> adjacentRun(const Playlist &playlist, int index)
{
    const int count = int(playlist.count());
    if (index < 0 || index >= count)
        return {-1, -1};
    const QString title = playlist.entry(index).title;
    int first = index;
    while (first > 0 && playlist.entry(first - 1).title == title)
        --first;
    int last = index;
    while (last + 1 < count && playlist.entry(last + 1).title == title)
        ++last;
    return {first, last};
}

int removeAdjacent(Playlist &playlist, int index)
{
    const auto [first, last] = adjacentRun(playlist, index);
    if (first < 0)
        return 0;
    for (int i = last; i >= first; --i)
        playlist.remove(i);
    return last - first + 1;
}

int stanzaIndex(const PlaylistEntry &entry, const Song &song)
{
    const int position = entry.isSlide() ? 1 : entry.stanzaPosition();
    if (entry.isRefrain() && song.refrainIndex() != position)
        return -1;
    return position >= 1 && position <= song.stanzaCount() ? position - 1 : -1;
}

bool isShowable(const PlaylistEntry &entry, const Song *song)
{
    return entry.found && song && stanzaIndex(entry, *song) >= 0;
}

const Song *SongCache::song(const QString &path)
{
    if (path.isEmpty())
        return nullptr;
    auto it = m_songs.constFind(path);
    if (it == m_songs.constEnd()) {
        auto song = std::make_shared<Song>();
        if (!QFileInfo(path).isFile() || !SongFile::load(path, *song, nullptr, SongLoadOptions{false}))
            song.reset();
        it = m_songs.insert(path, song);
    }
    return it->get();
}

} // namespace PlaylistEditing
