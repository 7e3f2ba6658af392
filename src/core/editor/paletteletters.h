// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// The accented letters of the special-character palette, grouped by the languages the board's
// Latin font serves. Group names are shown as they are, in their own languages.
struct PaletteGroup
{
    QString name;
    QString letters;
};

const QList<PaletteGroup> &paletteGroups();
