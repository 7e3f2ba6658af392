// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

class SongLibrary;

namespace LibrarySearch {

// A tree text matches a title search when it holds the (lower-case) search text in any case.
bool titleMatches(QStringView itemText, QStringView lowerText);

struct SongRef
{
    QString group;
    QString name; // without extension, as the tree shows it
    bool operator==(const SongRef &) const = default;
};
// The songs whose file gives this number, in library order. Every file is read (the content,
// not the name, is what counts) without being changed.
QList<SongRef> songsWithNumber(const SongLibrary &library, int number);

} // namespace LibrarySearch
