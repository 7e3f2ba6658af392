// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/itemname.h"

#include <QList>
#include <QString>
#include <QStringView>

class Song;

// What saving a song or slide from the editor checks and which files it writes and deletes.
namespace SongSaving {

inline constexpr int kMaxTitleLength = 30;

// True when the title holds a character a file name on the card may not: a control character
// (tab included) or one of \ / : * ? " < > |. A full stop is allowed in a title.
bool hasForbiddenTitleCharacter(QStringView title);
// The value of the number field: at most four digits, anything else reads as 0.
int parseNumber(QStringView text);

// The language text ids of everything that stops a save, in the order they are shown: no
// sequence (songs only), no title, a forbidden character, a title too long, and the number
// (out of range for the kind) only when nothing else was found.
QList<int> saveErrors(const Song &song, ItemKind kind, int number, const QString &title);

struct Plan
{
    QString target;          // the file to write
    QString oldFile;         // the song's own file, deleted after the write unless it is the target
    bool askReplace = false; // the target exists and is another file than the song's own
};
// The save of song as kind (Song or Slide) under number and title into directory: a new name
// replaces the song's own file only when the title changed and the number did not.
Plan plan(const Song &song, ItemKind kind, const QString &directory, int number, const QString &title);
// Writes the song as the plan says, then removes its old file when that is not the file just
// written. False, with the song and every file unchanged, when the write fails.
bool execute(Song &song, const Plan &plan, QString *error = nullptr);

} // namespace SongSaving
