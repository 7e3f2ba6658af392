// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/libraryiteminfo.h"

#include "core/library/librarynaming.h"
#include "core/library/songlibrary.h"
#include "core/model/itemname.h"
#include "core/util/textids.h"

LibraryItemInfo LibraryItemInfo::fromNode(LibraryNodeKind kind, const QString &text, const QString &parentText,
                                          const QString &root, const QString &fileName)
{
    LibraryItemInfo info;
    info.kind = kind;
    const QString slides = LibraryNaming::singleDirectoryName(ItemKind::Slide);
    const QString playlists = LibraryNaming::singleDirectoryName(ItemKind::Playlist);
    switch (kind) {
    case LibraryNodeKind::None:
        return info;
    case LibraryNodeKind::Root:
        info.fullPath = root;
        return info;
    case LibraryNodeKind::Group:
        info.group = text;
        break;
    case LibraryNodeKind::Song:
        info.group = parentText;
        info.fileName = text + ItemName::extension(ItemKind::Song);
        break;
    case LibraryNodeKind::SlidesNode:
        info.group = slides;
        break;
    case LibraryNodeKind::Slide:
        info.group = slides;
        info.fileName = text + ItemName::extension(ItemKind::Slide);
        break;
    case LibraryNodeKind::PlaylistsNode:
        info.group = playlists;
        break;
    case LibraryNodeKind::Playlist:
        info.group = playlists;
        info.fileName = text + ItemName::extension(ItemKind::Playlist);
        break;
    }
    if (isFileNode(kind) && !fileName.isEmpty())
        info.fileName = fileName;
    info.fullPath = LibraryNaming::groupDirectory(root, info.group) + info.fileName;
    return info;
}

namespace {

void appendSorted(QList<LibraryTreeNode> &nodes, LibraryNodeKind kind, const SongGroupFiles &list,
                  TitleCollation::SortMode mode, int parent)
{
    QStringList names = list.files;
    TitleCollation::sortNames(names, mode);
    const ItemKind itemKind = kind == LibraryNodeKind::Slide ? ItemKind::Slide
        : kind == LibraryNodeKind::Playlist                  ? ItemKind::Playlist
                                                             : ItemKind::Song;
    for (const QString &name : std::as_const(names))
        nodes.append({kind, name, parent, 0, list.fileName(name, itemKind)});
}

} // namespace

QList<LibraryTreeNode> libraryTreeNodes(SongLibrary &library, TitleCollation::SortMode mode)
{
    QList<LibraryTreeNode> nodes;
    nodes.append({LibraryNodeKind::Root, QString(), -1, Txt::TreeRoot});
    for (const SongGroupFiles &group : std::as_const(library.groups())) {
        const int parent = int(nodes.size());
        nodes.append({LibraryNodeKind::Group, group.name, 0});
        appendSorted(nodes, LibraryNodeKind::Song, group, mode, parent);
    }
    if (library.slideLists().isEmpty())
        library.slideLists().append(SongGroupFiles{LibraryNaming::singleDirectoryName(ItemKind::Slide), {}});
    int parent = int(nodes.size());
    nodes.append({LibraryNodeKind::SlidesNode, QString(), 0, Txt::TreeSlides});
    appendSorted(nodes, LibraryNodeKind::Slide, library.slideLists().first(), mode, parent);
    if (library.playlistLists().isEmpty())
        library.playlistLists().append(SongGroupFiles{LibraryNaming::singleDirectoryName(ItemKind::Playlist), {}});
    parent = int(nodes.size());
    nodes.append({LibraryNodeKind::PlaylistsNode, QString(), 0, Txt::TreePlaylists});
    appendSorted(nodes, LibraryNodeKind::Playlist, library.playlistLists().first(), mode, parent);
    return nodes;
}
