// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/glyphcellaccessible.h"

#include "core/app/language.h"
#include "gui/widgets/glyphcell.h"

GlyphCellAccessible::GlyphCellAccessible(GlyphCell *cell)
    : DrawnItemsAccessible(cell, QAccessible::Table, QAccessible::CheckBox)
{}

GlyphCell *GlyphCellAccessible::cell() const
{
    return static_cast<GlyphCell *>(widget());
}

QString GlyphCellAccessible::text(QAccessible::Text which) const
{
    const QString text = widgetText(which);
    if (!text.isEmpty())
        return text;
    switch (which) {
    case QAccessible::Name: {
        const QString name = Lang::text(Txt::A11yGlyphName);
        return cell()->caption().isEmpty() ? name : name + u": " + cell()->caption();
    }
    case QAccessible::Description:
        return Lang::text(Txt::A11yGlyphDescription);
    case QAccessible::Value: {
        QStringList rows;
        for (int row = 0; row < 8; ++row) {
            QStringList lit;
            for (int column = 0; column < 5; ++column) {
                if (cell()->isLit(column, row))
                    lit << QString::number(column + 1);
            }
            rows << Lang::text(Txt::A11yGlyphRow)
                        .arg(row + 1)
                        .arg(lit.isEmpty() ? Lang::text(Txt::A11yGlyphRowEmpty) : lit.join(u' '));
        }
        return rows.join(u"; ");
    }
    default:
        return text;
    }
}

// A dot says its row and column; whether it is lit is its checked state.
QString GlyphCellAccessible::itemText(int index) const
{
    return Lang::text(Txt::A11yGlyphRow).arg(index / 5 + 1).arg(index % 5 + 1);
}

QRect GlyphCellAccessible::itemRect(int index) const
{
    return GlyphCell::dotRect(index % 5, index / 5);
}

QAccessible::State GlyphCellAccessible::itemState(int index) const
{
    QAccessible::State state = DrawnItemsAccessible::itemState(index);
    state.checkable = true;
    state.checked = cell()->isLit(index % 5, index / 5);
    return state;
}

int GlyphCellAccessible::currentItem() const
{
    return cell()->currentRow() * 5 + cell()->currentColumn();
}
