// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/editor/paletteletters.h"

const QList<PaletteGroup> &paletteGroups()
{
    static const QList<PaletteGroup> groups = {
        {QStringLiteral("Polski"), QStringLiteral("ąĄćĆęĘłŁńŃóÓśŚźŹżŻ")},
        {QStringLiteral("Deutsch"), QStringLiteral("öÖüÜäÄß")},
        {QStringLiteral("Slovensky"), QStringLiteral("áčČďĎéíľĽÍňŇóÓŕšŠťŤúÚžŽýôä")},
        {QStringLiteral("Français"), QStringLiteral("àÀâÂèÈêÊéÉîÎôÔçÇ")},
        {QStringLiteral("Česky"), QStringLiteral("ÁáČčĎďĚěÉéÍíŇňÓóŘřŠšŤťŮůÚúÝýŽž")},
        {QStringLiteral("Lietuvos"), QStringLiteral("ąĄČčęĘėĖįĮŠšųŲūŪžŽ")},
    };
    return groups;
}
