// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardlabel.h"

namespace CardLabel {

std::optional<QString> fromTyped(const QString &typed)
{
    if (typed.size() > kMaxLength)
        return std::nullopt;
    QString label;
    for (QChar c : typed) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            label += QChar(u - u'a' + u'A');
        else if ((u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u' ' || u == u'-' || u == u'_')
            label += c;
        else
            return std::nullopt;
    }
    return label;
}

} // namespace CardLabel
