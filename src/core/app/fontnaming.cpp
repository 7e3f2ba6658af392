// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/fontnaming.h"

#include "core/font/fontexport.h"
#include "core/library/librarynaming.h"
#include "core/util/fileutils.h"
#include "core/util/textids.h"

#include <algorithm>

namespace FontNaming {

int checkNewName(const QString &name, const QString &fontDir)
{
    if (name.isEmpty())
        return Txt::FontNameEmpty;
    if (LibraryNaming::isForbiddenName(name))
        return Txt::FontNameForbidden;
    const bool plainLatin1 = std::all_of(
        name.begin(), name.end(), [](QChar c) { return !isControlCharacter(c.unicode()) && c.unicode() <= 0xFF; });
    if (!plainLatin1)
        return Txt::FontNameNotLatin1;
    if (name.size() > kMaxNameLength)
        return Txt::FontNameTooLong;
    const QStringList existing = fontNamesInDirectory(fontDir);
    const bool taken = std::any_of(existing.begin(), existing.end(),
                                   [&](const QString &font) { return font.compare(name, Qt::CaseInsensitive) == 0; });
    return taken ? Txt::FontNameExists : 0;
}

} // namespace FontNaming
