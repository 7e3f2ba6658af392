// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The rules for the name of a new font file "<name>.fnt" in the font folder.
namespace FontNaming {

// The name record of "fonts.out" holds 32 characters; a longer name runs into the next record.
inline constexpr int kMaxNameLength = 32;

// 0 when name may be given to a new font in fontDir, else the id of the text that says why not:
// empty; a character of a path or a full stop; a control character or one above U+00FF
// ("fonts.out" writes each character as two hex digits); too long; a font of that name exists,
// ignoring case (the main window's export writes names in lower case).
int checkNewName(const QString &name, const QString &fontDir);

} // namespace FontNaming
