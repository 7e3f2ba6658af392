// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/library/librarynaming.h"

#include <QString>
#include <QStringList>

class SongLibrary;

// The file changes of the library commands. None of them deletes before the new file is
// complete, and none follows a request onto the file it came from.
namespace LibraryFiles {

// Copies source over target through a temporary file in the target's directory, so that an
// existing target is replaced only by a complete copy. False when source is no regular file,
// the two are the same file, or the copy cannot be written.
bool replaceByCopy(const QString &source, const QString &target);

enum class MoveResult {
    Moved,
    SameFile,      // the target is the dragged file itself: nothing changes
    TargetExists,  // the target exists and replacing was not allowed
    SourceMissing, // the dragged file has gone
    Failed,        // the copy could not be made; the source stays
};
// Moves a song file (name with extension) from one group directory of root to another:
// copy over the target, then delete the source once the copy is complete.
MoveResult moveSong(const QString &root, const QString &fromGroup, const QString &fileName, const QString &toGroup,
                    bool replaceExisting);

// Renames a playlist file keeping its number prefix ("0003 " + newTitle + ".lst"). False, with
// the old file in place, when the new name exists or the copy fails.
bool renamePlaylist(const QString &playlistDir, const QString &oldFileName, const QString &newTitle,
                    QString *newFileName = nullptr);

// A new group directory below root.
bool createGroup(const QString &root, const QString &name);
// Removes an empty group directory; a group that still holds anything is refused.
bool removeGroup(const QString &root, const QString &name);
// Creates "screen_dir" and "playlist_dir" below root; existing ones stay.
bool initialiseCard(const QString &root);

struct RepairResult
{
    int renamed = 0;
    QStringList leftAsIs; // owners left with their number: no number was free, or the new name was taken
};

// Gives every file that owns a duplicated number of a kind (slides or playlists) the next free
// number, marking each as used so that one run never hands a number out twice. Only the owner
// is renamed; later files keep the number. A file that would need number 0 (none free) stays
// as it is, and no existing file is ever replaced by a rename.
RepairResult repairDuplicateNumbers(SongLibrary &library, ItemKind kind);

} // namespace LibraryFiles
