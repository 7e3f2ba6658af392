// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

// One kind's numbers (songs, slides or playlists): which are taken, by which file, and which
// were met more than once. The first file met with a number owns its entry.
class LibraryNumberTable
{
public:
    struct Entry
    {
        QString fileName;       // name without directory and extension of the owning file
        bool used = false;      // a file with this number exists
        bool duplicate = false; // a second file with this number was found
        int indexInGroup = 0;   // position of the owning file in its list
        int groupIndex = 0;     // the owning file's group (songs); 0 otherwise
    };

    explicit LibraryNumberTable(int size);

    int size() const { return int(m_entries.size()); }
    void clear();

    // Entry of a number; the number must be in 0..size()-1.
    const Entry &entry(int number) const { return m_entries[size_t(number)]; }
    Entry &entry(int number) { return m_entries[size_t(number)]; }
    bool contains(int number) const { return number >= 0 && number < size(); }
    bool isUsed(int number) const { return contains(number) && entry(number).used; }

    // Records a file with this number. Answers true when the file became the owner; a file that
    // meets an owned entry only marks it duplicate. Numbers outside the table are refused (false).
    bool claim(int number, const QString &fileName, int indexInGroup, int groupIndex);
    // Marks a number taken without a file, so that a later free-number search skips it.
    void markUsed(int number);

    // The first number n with max(from, 1) <= n < size() that is not used; 0 when there is none.
    int findFree(int from = 1) const;

private:
    std::vector<Entry> m_entries;
};
