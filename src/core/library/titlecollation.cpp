// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/titlecollation.h"

#include "core/library/librarynaming.h"
#include "core/model/itemname.h"

#include <algorithm>
#include <array>
#include <vector>

namespace TitleCollation {

namespace {

// Every listed character lies below U+0180.
constexpr int kTableSize = 0x180;
constexpr quint16 kUnlisted = 0xFFFF;

// Inside a letter's block: the characters in weight order from the block start.
struct LetterBlock
{
    char16_t base;
    const char16_t *order;
};

// The accented forms; č completes the C block, which lists Č but not its lower-case form.
constexpr LetterBlock kAccentedBlocks[] = {
    {u'A', u"AĄÁÂĂÄÀaąáâăäà"}, {u'C', u"CĆÇČcćçč"},  {u'D', u"DĎĐdďđ"}, {u'E', u"EÉĘËĚÈÊeéęëěèê"},
    {u'I', u"IÍÎiíî"},         {u'L', u"LŁĽĹlłľĺ"},  {u'N', u"NŃŇnńň"}, {u'O', u"OÓÔŐÖoóôőö"},
    {u'R', u"RrŘř"},           {u'S', u"SŠŚŞßsšśş"}, {u'T', u"TŤŢtťţ"}, {u'U', u"UŮÚŰÜuůúűü"},
    {u'Y', u"YÝyý"},           {u'Z', u"ZŽŹŻzžźż"},
};

std::array<quint16, kTableSize> buildTable()
{
    std::array<quint16, kTableSize> table;
    table.fill(kUnlisted);
    // Blank, then ASCII punctuation and digits from "!" to "@" in code order, 16 apart.
    table[u' '] = 0;
    for (char16_t c = u'!'; c <= u'@'; ++c)
        table[c] = quint16((c - u' ') * 16);
    // Letters: a block of 16 each from A = 528; plain letters upper at the start, lower after it.
    for (char16_t c = u'A'; c <= u'Z'; ++c) {
        const quint16 block = quint16(528 + 16 * (c - u'A'));
        table[c] = block;
        table[c + (u'a' - u'A')] = quint16(block + 1);
    }
    for (const LetterBlock &block : kAccentedBlocks) {
        const quint16 start = table[block.base];
        quint16 offset = 0;
        for (const char16_t *p = block.order; *p; ++p)
            table[*p] = quint16(start + offset++);
    }
    // After the letters: [ \ ] ^ _ ` then { | } ~.
    const char16_t after[] = u"[\\]^_`{|}~";
    for (int i = 0; after[i]; ++i)
        table[after[i]] = quint16(944 + 16 * i);
    return table;
}

const std::array<quint16, kTableSize> &table()
{
    static const std::array<quint16, kTableSize> t = buildTable();
    return t;
}

} // namespace

int weight(char16_t c)
{
    if (c < kTableSize) {
        const quint16 w = table()[c];
        if (w != kUnlisted)
            return w;
    }
    return 0x10000 + int(c);
}

int compare(QStringView a, QStringView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const int wa = weight(a[i].unicode());
        const int wb = weight(b[i].unicode());
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

void sortNames(QStringList &names, SortMode mode)
{
    // Keys are computed once: a sort of a 5000-song group would otherwise parse each name
    // about 2 log2(5000) times.
    struct Keyed
    {
        QString name;
        int number;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(names.size()));
    for (const QString &name : std::as_const(names))
        keyed.push_back({name, ItemName::number(name)});

    auto tieBreak = [](const Keyed &x, const Keyed &y) { return x.name.compare(y.name) < 0; };
    if (mode == SortMode::ByNumber) {
        std::sort(keyed.begin(), keyed.end(), [&](const Keyed &x, const Keyed &y) {
            if (x.number != y.number)
                return x.number < y.number;
            return tieBreak(x, y);
        });
    } else {
        std::sort(keyed.begin(), keyed.end(), [&](const Keyed &x, const Keyed &y) {
            const int c = compare(QStringView(x.name).mid(std::min<qsizetype>(5, x.name.size())),
                                  QStringView(y.name).mid(std::min<qsizetype>(5, y.name.size())));
            if (c != 0)
                return c < 0;
            return tieBreak(x, y);
        });
    }
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = keyed[size_t(i)].name;
}

} // namespace TitleCollation
