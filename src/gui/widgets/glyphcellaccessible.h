// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/widgets/drawnitemsaccessible.h"

class GlyphCell;

// The font editor's dot grid as a table of 8 rows by 5 dots, a lit dot checked; its name
// carries the glyph, its value the lit dots row by row.
class GlyphCellAccessible : public DrawnItemsAccessible
{
public:
    explicit GlyphCellAccessible(GlyphCell *cell);

    QString text(QAccessible::Text which) const override;
    int itemCount() const override { return 40; }
    QString itemText(int index) const override;
    QRect itemRect(int index) const override;
    QAccessible::State itemState(int index) const override;
    int columns() const override { return 5; }
    int currentItem() const override;

private:
    GlyphCell *cell() const;
};
