// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a folder offered as a card holds, checked before anything is created in it.
namespace CardFolder {

enum class State {
    Card,     // holds "screen_dir" or "playlist_dir"
    Empty,    // nothing but dot names: a fresh card
    NotACard, // other files or folders, and neither of the two
    NotADirectory,
    Unreadable,
};

// The state of path; reason gets the system's words for NotADirectory and Unreadable.
State inspect(const QString &path, QString *reason = nullptr);

// Creates the directory name below parent; false with the system's reason otherwise.
bool makeDirectory(const QString &parent, const QString &name, QString *reason = nullptr);

} // namespace CardFolder
