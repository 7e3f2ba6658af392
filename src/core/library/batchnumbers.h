// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/library/librarynumbertable.h"

#include <QList>

// The numbers of a batch of songs imported together, each of which may claim one (a songbook
// entry, the number in its file's name). On the board a number calls up its song, so one
// collision must move one song, never shift the rest of a songbook.
namespace BatchNumbers {

// A song of the batch that takes no number (refused, or already present).
constexpr int kNotPlaced = -1;

// claims[i] is the number song i claims, 0 for none, or kNotPlaced. Every claim in 1..size-1 of
// taken is reserved for the batch first. A song keeps its claim unless taken holds it or an
// earlier song of the batch claimed it too; every other placed song takes the lowest number that
// taken does not hold, no song of the batch claims and no earlier song was given. The result has
// one number per song: 0 for a song not placed or when no number is left.
QList<int> assign(const QList<int> &claims, const LibraryNumberTable &taken);

} // namespace BatchNumbers
