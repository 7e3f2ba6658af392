// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/songbooksongs.h"

#include "core/library/songlibrary.h"
#include "core/model/song.h"
#include "core/model/songfile.h"
#include "core/util/fileutils.h"

namespace Songbook {

SongbookSongs songs(const SongLibrary &library)
{
    SongbookSongs result;
    const LibraryNumberTable &table = library.numbers(ItemKind::Song);
    const QList<SongGroupFiles> &groups = library.groups();
    for (int number = 0; number < table.size(); ++number) {
        const LibraryNumberTable::Entry &entry = table.entry(number);
        if (!entry.used || entry.fileName.isEmpty() || entry.groupIndex < 0 || entry.groupIndex >= groups.size())
            continue;
        result.entries.append({entry.fileName, library.songPath(groups.at(entry.groupIndex).name, entry.fileName)});
    }
    result.notInTable = library.songCount() - int(result.entries.size());
    return result;
}

bool loadSong(const SongbookEntry &entry, Song &song)
{
    return SongFile::load(entry.path, song, nullptr, SongLoadOptions{false});
}

QList<SongbookStanza> sungStanzas(const Song &song, const QString &refrainLabel)
{
    const int count = song.stanzaCount();
    QList<SongbookStanza> texts(count);
    int ordinary = 0;
    for (int stanza = 0; stanza < count; ++stanza) {
        SongbookStanza &text = texts[stanza];
        text.label = stanza + 1 == song.refrainIndex() ? refrainLabel : QString::number(++ordinary) + u'.';
        for (int screen = 0; screen < song.screenCount(stanza); ++screen) {
            for (int line = 0; line < kScreenLines; ++line) {
                const QString trimmed = song.lineText(stanza, screen, line).trimmed();
                if (!trimmed.isEmpty())
                    text.lines.append(withControlsReplaced(trimmed));
            }
        }
    }

    QList<SongbookStanza> sung;
    QList<bool> printed(count, false);
    const auto add = [&](int stanza) {
        if (texts.at(stanza).lines.isEmpty())
            return;
        if (printed.at(stanza)) {
            sung.append({texts.at(stanza).label, {}, true});
        } else {
            printed[stanza] = true;
            sung.append(texts.at(stanza));
        }
    };
    for (const int entry : song.sequence()) {
        const int stanza = song.stanzaOfEntry(entry);
        if (stanza >= 0)
            add(stanza);
    }
    for (int stanza = 0; stanza < count; ++stanza) {
        if (!printed.at(stanza))
            add(stanza);
    }
    return sung;
}

} // namespace Songbook
