// SPDX-License-Identifier: GPL-3.0-or-later
// What every fuzz target shares: the input as bytes, and a check that aborts, so that libFuzzer
// and the replay builds both see a broken rule as a crash.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace Fuzz {

inline QByteArray bytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline void require(bool condition, const char *target, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "%s: %s\n", target, what);
        std::abort();
    }
}

} // namespace Fuzz
