// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/librarynumbertable.h"

#include <algorithm>

LibraryNumberTable::LibraryNumberTable(int size) : m_entries(size_t(std::max(size, 0))) {}

void LibraryNumberTable::clear()
{
    std::fill(m_entries.begin(), m_entries.end(), Entry{});
}

bool LibraryNumberTable::claim(int number, const QString &fileName, int indexInGroup, int groupIndex)
{
    if (!contains(number))
        return false;
    Entry &e = entry(number);
    if (e.used) {
        e.duplicate = true;
        return false;
    }
    e.fileName = fileName;
    e.used = true;
    e.indexInGroup = indexInGroup;
    e.groupIndex = groupIndex;
    return true;
}

void LibraryNumberTable::markUsed(int number)
{
    if (contains(number))
        entry(number).used = true;
}

int LibraryNumberTable::findFree(int from) const
{
    // Entry 0 is never a number: a start below 1 would answer 0, which means "none".
    for (int n = std::max(from, 1); n < size(); ++n) {
        if (!m_entries[size_t(n)].used)
            return n;
    }
    return 0;
}
