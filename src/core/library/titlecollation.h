// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The board's title order: a weight per UTF-16 code unit that puts every letter's accented
// forms inside that letter's block, upper case before lower case (Apple, apple, Banan, Zebra,
// zebra). Characters the table does not list sort after every listed one and among themselves
// by code unit, so Cyrillic titles come out in alphabetical order.
namespace TitleCollation {

// The weight of one code unit; listed characters weigh less than 0x10000, unlisted ones
// 0x10000 + the code unit.
int weight(char16_t c);
// Negative, zero or positive as a sorts before, with or after b; a prefix sorts first.
int compare(QStringView a, QStringView b);
inline bool lessThan(QStringView a, QStringView b)
{
    return compare(a, b) < 0;
}

// The library's name lists ("0007 Kyrie"): by title compares the names without their first five
// characters, by number the value of the first four; equal keys are ordered by the whole name.
enum class SortMode { ByTitle = 0, ByNumber = 1 };
void sortNames(QStringList &names, SortMode mode);

} // namespace TitleCollation
