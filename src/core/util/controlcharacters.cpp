// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/controlcharacters.h"

namespace ControlCharacters {

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7f && u < 0xa0);
}

QString replaced(QString text)
{
    for (QChar &c : text) {
        if (isControl(c))
            c = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace ControlCharacters
