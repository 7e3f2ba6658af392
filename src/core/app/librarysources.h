// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/driveprovider.h"

#include <QList>
#include <QString>

// One library the program can show, import into and copy from: the computer's own song directory,
// a card (removable drive or folder card), or the open project (an unpacked .lvp or a card read
// into the card image).
struct LibrarySource
{
    enum class Kind { Computer, Card, Project };

    Kind kind = Kind::Card;
    QString name;     // card: its label; project: the .lvp file name or the label of the card it was read from
    QString rootPath; // always ends with "/"
    bool readOnly = false;
    bool projectFromCard = false; // a project read from a card rather than opened from a .lvp

    bool operator==(const LibrarySource &) const = default;
};

// What the open project is, for the list; an empty root means no project is open.
struct OpenProject
{
    QString rootPath;
    QString name; // the .lvp file name, or the card label when read from a card
    bool fromCard = false;
};

namespace LibrarySources {
// The computer's library first, then every listed card (DriveList::listed order), then the open project.
// A card whose root lies inside the computer's library or the project (or holds one of them) is left
// out: writing one into the other would copy a library into itself.
QList<LibrarySource> list(const QString &computerRoot, const QList<DriveEntry> &drives, const OpenProject &project);
// Index of the entry with this root path (compared as clean absolute folders), or -1.
int indexOfRoot(const QList<LibrarySource> &sources, const QString &rootPath);
// True when one folder is the other or lies inside it.
bool nested(const QString &a, const QString &b);
// The text the list shows: "Biblioteka na komputerze", "PROTECT label root", "Projekt: NAME.lvp",
// "Projekt z karty LABEL".
QString itemText(const LibrarySource &source);
} // namespace LibrarySources
