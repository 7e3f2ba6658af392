// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/numbermapaccessible.h"

#include "core/app/language.h"
#include "gui/widgets/numbermap.h"

NumberMapAccessible::NumberMapAccessible(NumberMap *map)
    : DrawnItemsAccessible(map, QAccessible::Table, QAccessible::Cell)
{}

NumberMap *NumberMapAccessible::map() const
{
    return static_cast<NumberMap *>(widget());
}

int NumberMapAccessible::numberOf(int index) const
{
    return map()->firstRow() * map()->columns() + index + 1;
}

QString NumberMapAccessible::text(QAccessible::Text which) const
{
    QString text = widgetText(which);
    if (text.isEmpty() && which == QAccessible::Name)
        text = map()->window()->windowTitle();
    if (text.isEmpty() && which == QAccessible::Description)
        text = Lang::text(Txt::A11yNumberMapDescription);
    return text;
}

// The visible cells that stand for numbers of the table.
int NumberMapAccessible::itemCount() const
{
    int count = 0;
    const int cells = map()->columns() * map()->rows();
    while (count < cells && map()->numberAt(itemRect(count).center()))
        ++count;
    return count;
}

QString NumberMapAccessible::itemText(int index) const
{
    return map()->numberText(numberOf(index));
}

QRect NumberMapAccessible::itemRect(int index) const
{
    return map()->cellRect(numberOf(index));
}

QAccessible::State NumberMapAccessible::itemState(int index) const
{
    QAccessible::State state = DrawnItemsAccessible::itemState(index);
    state.selectable = true;
    state.selected = numberOf(index) == map()->chosenNumber();
    return state;
}

int NumberMapAccessible::columns() const
{
    return map()->columns();
}

int NumberMapAccessible::currentItem() const
{
    const int index = map()->currentNumber() - numberOf(0);
    return index >= 0 && index < map()->columns() * map()->rows() ? index : -1;
}
