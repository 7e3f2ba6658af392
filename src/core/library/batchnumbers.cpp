// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/batchnumbers.h"

#include <QSet>

namespace BatchNumbers {

QList<int> assign(const QList<int> &claims, const LibraryNumberTable &taken)
{
    const auto inRange = [&taken](int number) { return number > 0 && number < taken.size(); };
    QSet<int> claimed;
    for (int claim : claims) {
        if (inRange(claim))
            claimed.insert(claim);
    }
    QList<int> numbers(claims.size(), 0);
    QSet<int> given;
    int nextFree = 1;
    for (qsizetype i = 0; i < claims.size(); ++i) {
        const int claim = claims.at(i);
        if (claim == kNotPlaced)
            continue;
        if (inRange(claim) && !taken.isUsed(claim) && !given.contains(claim)) {
            numbers[i] = claim;
            given.insert(claim);
            continue;
        }
        while (nextFree < taken.size()
               && (taken.isUsed(nextFree) || claimed.contains(nextFree) || given.contains(nextFree)))
            ++nextFree;
        if (nextFree < taken.size()) {
            numbers[i] = nextFree;
            given.insert(nextFree);
        }
    }
    return numbers;
}

} // namespace BatchNumbers
