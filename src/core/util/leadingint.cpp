// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/leadingint.h"

#include <limits>

namespace {

template <typename Char>
int leadingIntOf(const Char *p, qsizetype n)
{
    qsizetype i = 0;
    auto isBlank = [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    while (i < n && isBlank(char16_t(p[i])))
        ++i;
    bool negative = false;
    if (i < n && (char16_t(p[i]) == u'+' || char16_t(p[i]) == u'-')) {
        negative = char16_t(p[i]) == u'-';
        ++i;
    }
    qint64 value = 0;
    constexpr qint64 kLimit = qint64(std::numeric_limits<int>::max()) + 1;
    for (; i < n && char16_t(p[i]) >= u'0' && char16_t(p[i]) <= u'9'; ++i) {
        if (value < kLimit)
            value = value * 10 + (char16_t(p[i]) - u'0');
    }
    if (negative)
        return int(qMax<qint64>(-value, std::numeric_limits<int>::min()));
    return int(qMin<qint64>(value, std::numeric_limits<int>::max()));
}

} // namespace

int leadingInt(QByteArrayView text)
{
    return leadingIntOf(text.data(), text.size());
}
int leadingInt(QStringView text)
{
    return leadingIntOf(text.utf16(), text.size());
}
