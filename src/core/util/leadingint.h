// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QStringView>

// The C-style leading integer of a field, as numbers in file names, file fields and typed
// settings are read: leading blanks and one sign allowed, parsing stops at the first non-digit,
// no digits give 0; saturates at the int range instead of overflowing.
int leadingInt(QByteArrayView text);
int leadingInt(QStringView text);
