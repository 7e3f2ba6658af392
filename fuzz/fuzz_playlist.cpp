// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as a playlist in both charsets, titles looked up in a library held in memory:
// no crash, and the written form reads back to the same entries and writes the same bytes.
#include "core/model/playlist.h"
#include "fuzzsupport.h"

#include <QBuffer>
#include <QHash>

namespace {

void require(bool condition, const char *what)
{
    Fuzz::require(condition, "fuzz_playlist", what);
}

// Finds a title when its first character is even: some entries resolve, some are missing, and
// a resolved song may have its refrain at the stanza the entry names.
class MemoryResolver : public PlaylistResolver
{
public:
    PlaylistTarget resolve(PlaylistEntry::Type type, const QString &title) override
    {
        PlaylistTarget target;
        target.path = QStringLiteral("/card/") + title;
        target.found = !title.isEmpty() && title.front().unicode() % 2 == 0;
        target.number = int(qHash(title) % 1000);
        target.refrainIndex = type == PlaylistEntry::Slide ? 0 : int(title.size() % 4);
        return target;
    }
};

Playlist readPlaylist(const QByteArray &bytes, CharsetMode charset, IssueList *issues)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    Playlist playlist;
    playlist.setNumber(7);
    MemoryResolver resolver;
    require(playlist.read(buffer, charset, &resolver, issues), "an open buffer was not read");
    return playlist;
}

bool sameEntry(const PlaylistEntry &a, const PlaylistEntry &b)
{
    return a.found == b.found && a.title == b.title && a.path == b.path && a.stanza == b.stanza && a.option == b.option
        && a.songNumber == b.songNumber && a.type == b.type;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    for (CharsetMode charset : {CharsetMode::Latin, CharsetMode::Cyrillic}) {
        IssueList issues;
        const Playlist playlist = readPlaylist(input, charset, &issues);
        qsizetype missing = 0;
        for (const PlaylistEntry &entry : playlist.entries()) {
            require(entry.type == PlaylistEntry::Song || entry.type == PlaylistEntry::Slide, "entry type");
            require(!entry.isSlide() || entry.stanza == 1, "a slide entry's stanza");
            require(entry.found || entry.songNumber == 0, "a number for a missing entry");
            missing += !entry.found && !entry.isPlaceholder();
        }
        require(issues.size() == missing, "one issue per missing entry");

        const QByteArray written = playlist.toBytes();
        const Playlist back = readPlaylist(written, charset, nullptr);
        require(back.count() == playlist.count(), "the written form has another entry count");
        for (qsizetype i = 0; i < back.count(); ++i)
            require(sameEntry(back.entry(i), playlist.entry(i)), "the written form reads back differently");
        require(back.toBytes() == written, "the written form is not a fixed point");
    }
    return 0;
}
