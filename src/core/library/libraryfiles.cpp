// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/libraryfiles.h"

#include "core/util/fileutils.h"
#include "core/util/replacingfile.h"
#include "core/library/songlibrary.h"
#include "core/model/itemname.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace LibraryFiles {

bool replaceByCopy(const QString &source, const QString &target)
{
    return !isSameFile(source, target) && copyFileReplacing(source, target);
}

MoveResult moveSong(const QString &root, const QString &fromGroup, const QString &fileName, const QString &toGroup,
                    bool replaceExisting)
{
    const QString source = LibraryNaming::groupDirectory(root, fromGroup) + fileName;
    const QString target = LibraryNaming::groupDirectory(root, toGroup) + fileName;
    if (!QFileInfo(source).isFile())
        return MoveResult::SourceMissing;
    if (fromGroup == toGroup || isSameFile(source, target))
        return MoveResult::SameFile;
    if (QFileInfo::exists(target) && !replaceExisting)
        return MoveResult::TargetExists;
    if (!replaceByCopy(source, target))
        return MoveResult::Failed;
    QFile::remove(source);
    return MoveResult::Moved;
}

bool renamePlaylist(const QString &playlistDir, const QString &oldFileName, const QString &newTitle,
                    QString *newFileName)
{
    const QString name = oldFileName.left(ItemName::kTitleStart) + newTitle + ItemName::extension(ItemKind::Playlist);
    const QString from = LibraryNaming::joinPath(playlistDir, oldFileName);
    const QString to = LibraryNaming::joinPath(playlistDir, name);
    if (newFileName)
        *newFileName = name;
    // A name that is free when the copy starts is never taken from a file that appears meanwhile.
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink() || !copyFileReplacing(from, to))
        return false;
    QFile::remove(from);
    return true;
}

bool createGroup(const QString &root, const QString &name)
{
    return !name.isEmpty() && QDir(root).mkdir(name);
}

bool removeGroup(const QString &root, const QString &name)
{
    return !name.isEmpty() && QDir(root).rmdir(name);
}

bool initialiseCard(const QString &root)
{
    const bool slides = QDir().mkpath(LibraryNaming::slideDirectory(root));
    const bool playlists = QDir().mkpath(LibraryNaming::playlistDirectory(root));
    return slides && playlists;
}

RepairResult repairDuplicateNumbers(SongLibrary &library, ItemKind kind)
{
    RepairResult result;
    if (kind == ItemKind::Song)
        return result;
    LibraryNumberTable &table = library.numbers(kind);
    const QString dir = LibraryNaming::joinPath(library.root(), LibraryNaming::singleDirectoryName(kind)) + u'/';
    const QString extension = ItemName::extension(kind);
    for (int n = 0; n < table.size(); ++n) {
        if (!table.entry(n).duplicate)
            continue;
        const QString old = table.entry(n).fileName;
        const int free = table.findFree(1);
        const QString name = ItemName::format(free, ItemName::titleForRename(old));
        const QString target = dir + name + extension;
        // Number 0 means none was free; an existing name is another file's.
        if (free == 0 || QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
            result.leftAsIs << old;
            continue;
        }
        table.markUsed(free);
        if (name == old || !replaceByCopy(dir + old + extension, target))
            continue;
        QFile::remove(dir + old + extension);
        ++result.renamed;
    }
    return result;
}

} // namespace LibraryFiles
