// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardpacklist.h"

#include "core/util/fileutils.h"
#include "core/library/songlibrary.h"
#include "core/model/itemname.h"


namespace {

CardPackDirectory packDirectory(const QString &root, const QString &name, const QStringList &items, ItemKind kind)
{
    CardPackDirectory directory{name, root + name, {}};
    directory.files.reserve(items.size());
    const QString extension = ItemName::extension(kind);
    for (const QString &item : items)
        directory.files.append(item + extension);
    return directory;
}

CardPackDirectory packListDirectory(const QString &root, const QList<SongGroupFiles> &lists, ItemKind kind)
{
    const QString name = LibraryNaming::singleDirectoryName(kind);
    if (!lists.isEmpty())
        return packDirectory(root, name, lists.first().files, kind);
    return {name, root + name,
            sortedEntries(root + name, QDir::Files | QDir::NoSymLinks, {u'*' + ItemName::extension(kind)})};
}

} // namespace

CardPackList cardPackList(const SongLibrary &library)
{
    const QString root = library.root();
    CardPackList list;
    list.reserve(library.groups().size() + 2);
    for (const SongGroupFiles &group : library.groups())
        list.append(packDirectory(root, group.name, group.files, ItemKind::Song));
    list.append(packListDirectory(root, library.slideLists(), ItemKind::Slide));
    list.append(packListDirectory(root, library.playlistLists(), ItemKind::Playlist));
    return list;
}

CardPackList cardPackList(const QString &root)
{
    SongLibrary library;
    library.setRoot(root);
    library.scanLibrary(ScanFlags::Songs, {}, ScanOptions::readOnly());
    return cardPackList(library);
}
