// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The three kinds of library file.
enum class ItemKind { Song, Slide, Playlist };

// How a library file's name "NNNN Title.ext" carries its number, its title and its kind:
// "0007 Kyrie.txt" is song 7 "Kyrie". Every reader of such names uses these rules.
namespace ItemName {

inline constexpr char16_t kSongExtension[] = u".txt";
inline constexpr char16_t kSlideExtension[] = u".ekr";
inline constexpr char16_t kPlaylistExtension[] = u".lst";
// Four digits and a space come before the title.
inline constexpr qsizetype kTitleStart = 5;

// The extension of a new file of the kind, in lower case.
QString extension(ItemKind kind);
// The kind a file name's extension names (".txt", ".ekr", ".lst"), its letters compared without
// regard to case: the board's FAT file system does not tell "0050 Upper.TXT" from "0050 Upper.txt".
// None for any other name. Every listing of songs, slides and playlists decides by this.
std::optional<ItemKind> kindOf(QStringView fileName);
bool hasExtension(QStringView fileName, ItemKind kind);
// A name as the program gives library files: four digits, a blank, a title and a library
// extension ("0007 Kyrie.txt"). A "readme.txt" is no song.
bool isItemFileName(QStringView fileName);

// "%.4d %s": 7 and "Kyrie" give "0007 Kyrie".
QString format(int number, const QString &title);
// The value of the first four characters: leading white space and one sign accepted, parsing
// stops at the first non-digit, no digits give 0 ("12ab Title" gives 12).
int number(QStringView name);
// The title of a name without extension: everything after the first five characters.
QString title(QStringView name);
// The title of a file name with its extension: position 5 up to, not including, the last four.
QString titleOfFileName(QStringView fileName);
// The title rebuilt for a rename: characters from position 5, at most 40.
QString titleForRename(QStringView name);

// Number-table sizes: songs 1..4999, slides and playlists 1..499 (entry 0 is never used).
inline constexpr int kSongTableSize = 5000;
inline constexpr int kSlideTableSize = 500;
inline constexpr int kPlaylistTableSize = 500;

int tableSize(ItemKind kind);
bool isValidNumber(ItemKind kind, int number);

} // namespace ItemName
