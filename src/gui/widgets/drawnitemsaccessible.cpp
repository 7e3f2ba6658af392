// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/drawnitemsaccessible.h"

#include <QWidget>

namespace {

// One drawn item: everything it says comes from the widget's interface, so it never holds
// stale text. It stays valid while its parent interface keeps its id.
class DrawnItem : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    DrawnItem(DrawnItemsAccessible *parent, int index) : m_parent(parent), m_index(index) {}

    bool isValid() const override { return m_parent->isValid() && m_index < m_parent->itemCount(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_parent->window(); }
    QAccessibleInterface *parent() const override { return m_parent; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text which) const override
    {
        return which == QAccessible::Name ? m_parent->itemText(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        const QRect local = m_parent->itemRect(m_index);
        auto *widget = static_cast<QWidget *>(m_parent->object());
        return QRect(widget->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return m_parent->itemRole(); }
    QAccessible::State state() const override { return m_parent->itemState(m_index); }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface && m_parent->columns() > 0)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_index % m_parent->columns(); }
    int rowIndex() const override { return m_index / m_parent->columns(); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return m_parent; }

private:
    DrawnItemsAccessible *m_parent;
    int m_index;
};

} // namespace

DrawnItemsAccessible::DrawnItemsAccessible(QWidget *widget, QAccessible::Role role, QAccessible::Role itemRole)
    : QAccessibleWidget(widget, role), m_role(role), m_itemRole(itemRole)
{}

DrawnItemsAccessible::~DrawnItemsAccessible()
{
    forgetItems();
}

void DrawnItemsAccessible::forgetItems()
{
    for (QAccessible::Id id : std::as_const(m_items))
        QAccessible::deleteAccessibleInterface(id);
    m_items.clear();
}

QAccessible::State DrawnItemsAccessible::itemState(int index) const
{
    QAccessible::State state;
    state.focusable = widget()->focusPolicy() != Qt::NoFocus;
    state.focused = state.focusable && widget()->hasFocus() && index == currentItem();
    state.active = index == currentItem();
    return state;
}

void DrawnItemsAccessible::notifyCurrent(QWidget *widget)
{
    if (!QAccessible::isActive())
        return;
    auto *iface = dynamic_cast<DrawnItemsAccessible *>(QAccessible::queryAccessibleInterface(widget));
    if (!iface || iface->currentItem() < 0)
        return;
    QAccessibleEvent event(widget, widget->hasFocus() ? QAccessible::Focus : QAccessible::StateChanged);
    event.setChild(iface->currentItem());
    QAccessible::updateAccessibility(&event);
}

void DrawnItemsAccessible::notifyReset(QWidget *widget)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent event(widget, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
}

void *DrawnItemsAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface && columns() > 0)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int DrawnItemsAccessible::childCount() const
{
    return itemCount();
}

QAccessibleInterface *DrawnItemsAccessible::child(int index) const
{
    if (index < 0 || index >= itemCount())
        return nullptr;
    if (const auto found = m_items.constFind(index); found != m_items.cend())
        return QAccessible::accessibleInterface(*found);
    auto *item = new DrawnItem(const_cast<DrawnItemsAccessible *>(this), index);
    m_items.insert(index, QAccessible::registerAccessibleInterface(item));
    return item;
}

int DrawnItemsAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (auto it = m_items.cbegin(); it != m_items.cend(); ++it) {
        if (QAccessible::accessibleInterface(it.value()) == child)
            return it.key();
    }
    return -1;
}

QAccessibleInterface *DrawnItemsAccessible::childAt(int x, int y) const
{
    const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < itemCount(); ++i) {
        if (itemRect(i).contains(local))
            return child(i);
    }
    return nullptr;
}

QAccessibleInterface *DrawnItemsAccessible::focusChild() const
{
    return widget()->hasFocus() && currentItem() >= 0 ? child(currentItem()) : nullptr;
}

QAccessibleInterface *DrawnItemsAccessible::cellAt(int row, int column) const
{
    const int perRow = columns();
    if (perRow <= 0 || column < 0 || column >= perRow || row < 0)
        return nullptr;
    return child(row * perRow + column);
}

int DrawnItemsAccessible::selectedCellCount() const
{
    return int(selectedCells().size());
}

QList<QAccessibleInterface *> DrawnItemsAccessible::selectedCells() const
{
    QList<QAccessibleInterface *> cells;
    for (int i = 0; i < itemCount(); ++i) {
        if (itemState(i).selected)
            cells << child(i);
    }
    return cells;
}

int DrawnItemsAccessible::columnCount() const
{
    return columns();
}

int DrawnItemsAccessible::rowCount() const
{
    const int perRow = columns();
    return perRow > 0 ? (itemCount() + perRow - 1) / perRow : 0;
}
