// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/editor/paletteletters.h"

#include "core/model/languages.h"

namespace {

// Letters the board's Latin font also has for languages the program ships no texts in; each is
// shown after the group of the language named in "after".
struct ExtraGroup
{
    PaletteGroup group;
    QString after;
};

} // namespace

const QList<PaletteGroup> &paletteGroups()
{
    static const QList<PaletteGroup> groups = [] {
        const QList<ExtraGroup> extras = {
            {{QStringLiteral("Français"), QStringLiteral("àÀâÂèÈêÊéÉîÎôÔçÇ")}, QStringLiteral("Slovensky")},
            {{QStringLiteral("Lietuvos"), QStringLiteral("ąĄČčęĘėĖįĮŠšųŲūŪžŽ")}, QStringLiteral("Česky")},
        };
        QList<PaletteGroup> list;
        for (const Languages::Row &row : Languages::rows()) {
            if (!row.paletteLetters.isEmpty())
                list.append({row.name, row.paletteLetters});
            for (const ExtraGroup &extra : extras) {
                if (Languages::sameName(extra.after, row.name))
                    list.append(extra.group);
            }
        }
        return list;
    }();
    return groups;
}
