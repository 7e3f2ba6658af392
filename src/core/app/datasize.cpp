// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/datasize.h"

#include "core/app/language.h"

#include <iterator>

QString dataSizeText(qint64 bytes, const QLocale &locale)
{
    static constexpr Txt::Id kUnits[] = {Txt::SizeBytes, Txt::SizeKilobytes, Txt::SizeMegabytes, Txt::SizeGigabytes,
                                         Txt::SizeTerabytes};
    constexpr int kLargest = int(std::size(kUnits)) - 1;
    const quint64 magnitude = bytes < 0 ? 0 - quint64(bytes) : quint64(bytes);
    int power = 0;
    while (power < kLargest && (magnitude >> (10 * (power + 1))) != 0)
        ++power;
    const QString number = power == 0 ? locale.toString(bytes)
                                      : locale.toString(double(bytes) / double(1ULL << (10 * power)), 'f', 2);
    // The number and its unit stay on one line of a wrapped text.
    return Lang::text(kUnits[power]).arg(number).replace(u' ', QChar::Nbsp);
}
