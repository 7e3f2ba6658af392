// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The drag format of a library tree item (its full path in UTF-8), which the playlist takes.
inline QString libraryItemMimeType()
{
    return QStringLiteral("application/x-lumivox-library-item");
}
