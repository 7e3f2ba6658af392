// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardpacklist.h"

#include "core/library/librarynaming.h"
#include "core/model/itemname.h"
#include "core/util/fileutils.h"

namespace {

QString withSlash(const QString &root)
{
    return root.isEmpty() || root.endsWith(u'/') ? root : root + u'/';
}

CardPackDirectory packDirectory(const QString &root, const QString &name, const QStringList &items, ItemKind kind)
{
    CardPackDirectory directory{name, root + name, {}};
    directory.files.reserve(items.size());
    const QString extension = ItemName::extension(kind);
    for (const QString &item : items)
        directory.files.append(item + extension);
    return directory;
}

CardPackDirectory packListDirectory(const QString &root, const std::optional<QStringList> &items, ItemKind kind)
{
    const QString name = LibraryNaming::singleDirectoryName(kind);
    if (items)
        return packDirectory(root, name, *items, kind);
    return {name, root + name,
            sortedEntries(root + name, QDir::Files | QDir::NoSymLinks, {u'*' + ItemName::extension(kind)})};
}

} // namespace

CardPackList cardPackList(const QString &libraryRoot, const CardPackNames &names)
{
    const QString root = withSlash(libraryRoot);
    CardPackList list;
    list.reserve(names.groups.size() + 2);
    for (const CardPackNames::Group &group : names.groups)
        list.append(packDirectory(root, group.name, group.songs, ItemKind::Song));
    list.append(packListDirectory(root, names.slides, ItemKind::Slide));
    list.append(packListDirectory(root, names.playlists, ItemKind::Playlist));
    return list;
}
