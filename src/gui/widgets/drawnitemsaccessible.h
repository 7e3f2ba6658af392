// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>

// The interface of a widget that draws its items itself (number cells, timing segments, dots):
// each item becomes a child a screen reader can walk, with the text, place and state the
// subclass gives it. With columns() above 0 the items form a table, row by row.
class DrawnItemsAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    DrawnItemsAccessible(QWidget *widget, QAccessible::Role role, QAccessible::Role itemRole);
    ~DrawnItemsAccessible() override;

    virtual int itemCount() const = 0;
    virtual QString itemText(int index) const = 0;
    // In widget coordinates.
    virtual QRect itemRect(int index) const = 0;
    virtual QAccessible::State itemState(int index) const;
    // Items per row when the items form a table; 0 for a list.
    virtual int columns() const { return 0; }
    // The item the keyboard is on, -1 for none.
    virtual int currentItem() const { return -1; }

    // Tells listening tools that the keyboard moved to another item (the focus follows it).
    // Costs nothing while none listens.
    static void notifyCurrent(QWidget *widget);
    // Tells listening tools that the items were replaced.
    static void notifyReset(QWidget *widget);

    QAccessible::Role itemRole() const { return m_itemRole; }
    // The text the window set on the widget; for the name not a label beside it, whose text says
    // what the label is for rather than what the widget shows.
    QString widgetText(QAccessible::Text which) const
    {
        return which == QAccessible::Name ? widget()->accessibleName() : QAccessibleWidget::text(which);
    }

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::Role role() const override { return m_role; }
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int columnCount() const override;
    int rowCount() const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override { forgetItems(); }

private:
    void forgetItems();

    QAccessible::Role m_role;
    QAccessible::Role m_itemRole;
    mutable QHash<int, QAccessible::Id> m_items;
};
