// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardfinding.h"

#include "core/app/language.h"

QString CardFinding::message() const
{
    const QString text = Lang::text(textId);
    if (text.contains(u"%1"))
        return text.arg(name);
    return name.isEmpty() ? text : text + u": " + name;
}
