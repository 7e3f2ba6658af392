// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The title edit's capitalisation. Both work one UTF-16 code unit at a time, so the length never
// changes (QString::toUpper would turn "ß" into "SS"; the edit's limit and cursor depend on it).
namespace TitleCase {

// All lower case, then the first character upper case.
QString firstLetter(const QString &text);
// As firstLetter, and every character after a space upper case.
QString words(const QString &text);

} // namespace TitleCase
