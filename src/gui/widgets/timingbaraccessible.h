// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/widgets/drawnitemsaccessible.h"

class TimingBar;

// The timing bar as a list of its screens: stanza (or refrain), screen and time of each, the
// screen being timed the current one.
class TimingBarAccessible : public DrawnItemsAccessible
{
public:
    explicit TimingBarAccessible(TimingBar *bar);

    QString text(QAccessible::Text which) const override;
    int itemCount() const override;
    QString itemText(int index) const override;
    QRect itemRect(int index) const override;
    QAccessible::State itemState(int index) const override;
    int currentItem() const override;

private:
    TimingBar *bar() const;
};
