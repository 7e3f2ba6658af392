// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/library/titlecollation.h"

#include <QList>
#include <QString>

class SongLibrary;

// What a node of the library tree stands for; the value is kept on the tree item.
enum class LibraryNodeKind : int {
    None = 0,
    Root = 1,
    Group = 2,
    Song = 3,
    SlidesNode = 4,
    Slide = 5,
    PlaylistsNode = 6,
    Playlist = 7,
};

inline bool isFileNode(LibraryNodeKind kind)
{
    return kind == LibraryNodeKind::Song || kind == LibraryNodeKind::Slide || kind == LibraryNodeKind::Playlist;
}

// The file or directory behind a tree node.
struct LibraryItemInfo
{
    QString group;    // group directory, "screen_dir" or "playlist_dir"; empty for the root
    QString fileName; // with extension; empty for containers
    LibraryNodeKind kind = LibraryNodeKind::None;
    QString fullPath; // the file, or the directory with a trailing "/"

    // Fills the record from a node's kind, its text and its parent's text; root ends with "/".
    // fileName, when given, is the file's name as it is on disk ("0050 Upper.TXT"); otherwise the
    // text with the kind's lower-case extension.
    static LibraryItemInfo fromNode(LibraryNodeKind kind, const QString &text, const QString &parentText,
                                    const QString &root, const QString &fileName = {});
};

// One node of the tree as the library gives it: parent is an index into the same list (-1 for the root).
// The root, slides and playlists nodes are named by a language text instead of a text.
struct LibraryTreeNode
{
    LibraryNodeKind kind;
    QString text;
    int parent;
    int textId = 0;
    QString fileName = {}; // of a file node, with its extension as on disk
};

// The tree in insertion order: the root, each group with its songs sorted by mode, the slides
// node with its slides, the playlists node with its playlists. Empty slide or playlist lists
// get their one entry, as the tree always shows both nodes.
QList<LibraryTreeNode> libraryTreeNodes(SongLibrary &library, TitleCollation::SortMode mode);
