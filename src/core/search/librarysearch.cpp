// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/search/librarysearch.h"

#include "core/library/songlibrary.h"
#include "core/model/song.h"
#include "core/model/songfile.h"

namespace LibrarySearch {

bool titleMatches(QStringView itemText, QStringView lowerText)
{
    return itemText.toString().toLower().contains(lowerText);
}

QList<SongRef> songsWithNumber(const SongLibrary &library, int number)
{
    QList<SongRef> found;
    const SongLoadOptions readOnly{false};
    for (const SongGroupFiles &group : library.groups()) {
        for (const QString &name : group.files) {
            Song song;
            if (SongFile::load(library.songPath(group.name, name), song, nullptr, readOnly) && song.number() == number)
                found.append({group.name, name});
        }
    }
    return found;
}

} // namespace LibrarySearch
