// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/itemname.h"
#include "core/util/fileutils.h"

#include <QString>
#include <QStringView>

// Where each kind of library file lives on a card, the number ranges and the rules for typed
// names. A card root is a directory; how a file's name carries number and title is ItemName's.
namespace LibraryNaming {

using ::ItemKind;

inline constexpr char16_t kSlideDirName[] = u"screen_dir";
inline constexpr char16_t kPlaylistDirName[] = u"playlist_dir";

// The number ranges of each kind are ItemName's.
using ItemName::isValidNumber;
using ItemName::kPlaylistTableSize;
using ItemName::kSlideTableSize;
using ItemName::kSongTableSize;
using ItemName::tableSize;
// "screen_dir" for slides, "playlist_dir" for playlists; songs have no single directory (empty).
QString singleDirectoryName(ItemKind kind);

// The card's directories. songDirectory is the root itself without a trailing "/".
QString songDirectory(const QString &root);
QString slideDirectory(const QString &root);
QString playlistDirectory(const QString &root);
// root "/" group "/" (with the slash, as the group's directory is always combined with a name).
QString groupDirectory(const QString &root, const QString &group);
// dir "/" name, whether dir ends with "/" or not (the file helpers' joinPath).
using ::joinPath;

// True when the text holds one of . \ / : * ? " < > |
bool isForbiddenName(QStringView text);
// The characters named in the refusal message (the full stop is refused but not listed).
QString forbiddenCharacterList();

// The checks of a typed name; each answers 0 when the name passes, otherwise the id of the
// language text that says why it was refused (checked in the order the dialogs show them).
inline constexpr int kMaxGroupNameLength = 30;
inline constexpr int kMaxPlaylistNameLength = 30;
// New group directory: empty, reserved ("karta", "ekrany"), forbidden character, too long,
// or a subdirectory of baseDir with the same name ignoring case.
int checkGroupName(const QString &name, const QString &baseDir);
// Rename of a playlist: too long, empty, forbidden character.
int checkPlaylistRename(const QString &name);
// Title of a new playlist being saved: empty, forbidden character.
int checkPlaylistTitle(const QString &title);
// Title of a slide: empty, or a forbidden or control character (a pasted tab or line feed would
// make a file name no one can type, and FAT refuses control characters).
int checkSlideTitle(const QString &title);

} // namespace LibraryNaming
