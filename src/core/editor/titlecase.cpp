// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/editor/titlecase.h"

namespace TitleCase {

QString firstLetter(const QString &text)
{
    QString result = text;
    for (QChar &c : result)
        c = c.toLower();
    if (!result.isEmpty())
        result[0] = result[0].toUpper();
    return result;
}

QString words(const QString &text)
{
    QString result = firstLetter(text);
    for (qsizetype i = 1; i < result.size(); ++i) {
        if (result[i - 1] == u' ')
            result[i] = result[i].toUpper();
    }
    return result;
}

} // namespace TitleCase
