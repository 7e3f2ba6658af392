// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/widgets/drawnitemsaccessible.h"

class NumberMap;

// A number map as a table of its visible cells, row by row: each cell says its number and the
// title or "free"; the chosen number is the selected cell, the keyboard's number the current one.
class NumberMapAccessible : public DrawnItemsAccessible
{
public:
    explicit NumberMapAccessible(NumberMap *map);

    QString text(QAccessible::Text which) const override;
    int itemCount() const override;
    QString itemText(int index) const override;
    QRect itemRect(int index) const override;
    QAccessible::State itemState(int index) const override;
    int columns() const override;
    int currentItem() const override;

private:
    NumberMap *map() const;
    int numberOf(int index) const;
};
