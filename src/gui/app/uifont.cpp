// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/uifont.h"

#include <QFontDatabase>
#include <QStringList>

const QFont &uiFont()
{
    static const QFont font = [] {
        QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        QStringList families;
        families << QStringLiteral("Lucida Console") << f.family() << QStringLiteral("DejaVu Sans Mono");
        f.setFamilies(families);
        f.setStyleHint(QFont::Monospace);
        f.setPixelSize(14);
        f.setWeight(QFont::Normal);
        return f;
    }();
    return font;
}
