// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardpacklist.h"

#include "core/card/cardnamefindings.h"
#include "core/library/itemlisting.h"
#include "core/library/librarynaming.h"
#include "core/model/itemname.h"
#include "core/util/fileutils.h"

namespace {

QString withSlash(const QString &root)
{
    return root.isEmpty() || root.endsWith(u'/') ? root : root + u'/';
}

CardPackDirectory packDirectory(const QString &root, const SongGroupFiles &items, ItemKind kind,
                                const CardPackNames &names)
{
    CardPackDirectory directory{items.name, root + items.name, {}, names.notHandled.value(items.name)};
    directory.files.reserve(items.files.size());
    for (const QString &item : items.files)
        directory.files.append(items.fileName(item, kind));
    return directory;
}

CardPackDirectory packListDirectory(const QString &root, const std::optional<SongGroupFiles> &items, ItemKind kind,
                                    const CardPackNames &names)
{
    if (items)
        return packDirectory(root, *items, kind, names);
    const QString name = LibraryNaming::singleDirectoryName(kind);
    const ItemListing listing = listItems(root + name, kind);
    CardPackDirectory directory = packDirectory(root, SongGroupFiles{name, listing.names, listing.extensions}, kind,
                                                names);
    directory.notHandled += cardUnlistedFindings(name, listing);
    return directory;
}

} // namespace

CardPackList cardPackList(const QString &libraryRoot, const CardPackNames &names)
{
    const QString root = withSlash(libraryRoot);
    CardPackList list;
    list.reserve(names.groups.size() + 3);
    if (const CardFindings rootFindings = names.notHandled.value(QString()); !rootFindings.isEmpty())
        list.append({QString(), root, {}, rootFindings});
    for (const SongGroupFiles &group : names.groups)
        list.append(packDirectory(root, group, ItemKind::Song, names));
    list.append(packListDirectory(root, names.slides, ItemKind::Slide, names));
    list.append(packListDirectory(root, names.playlists, ItemKind::Playlist, names));
    return list;
}
