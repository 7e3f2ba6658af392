// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/timingbaraccessible.h"

#include "core/app/language.h"
#include "gui/widgets/timingbar.h"

TimingBarAccessible::TimingBarAccessible(TimingBar *bar)
    : DrawnItemsAccessible(bar, QAccessible::List, QAccessible::ListItem)
{}

TimingBar *TimingBarAccessible::bar() const
{
    return static_cast<TimingBar *>(widget());
}

QString TimingBarAccessible::text(QAccessible::Text which) const
{
    QString text = widgetText(which);
    if (text.isEmpty() && which == QAccessible::Name)
        text = Lang::text(Txt::A11yTimingBarName);
    return text;
}

int TimingBarAccessible::itemCount() const
{
    return int(bar()->times().size());
}

QString TimingBarAccessible::itemText(int index) const
{
    QStringList parts;
    const quint32 code = bar()->codeOf(index);
    const int stanza = int(code >> 16);
    parts << (stanza == TimingBar::kRefrainCode ? Lang::text(Txt::RefrainBox)
                                                : Lang::text(Txt::StructureStanza).arg(stanza + 1));
    parts << Lang::text(Txt::StructureScreen).arg((code & 0xFFFF) + 1);
    const int tenths = bar()->times().value(index);
    if (tenths)
        parts << Lang::text(Txt::A11ySeconds).arg(QString::number(tenths / 10.0, 'f', 1));
    return parts.join(u", ");
}

QRect TimingBarAccessible::itemRect(int index) const
{
    return bar()->segmentRect(index);
}

QAccessible::State TimingBarAccessible::itemState(int index) const
{
    QAccessible::State state = DrawnItemsAccessible::itemState(index);
    state.selected = index == currentItem();
    return state;
}

int TimingBarAccessible::currentItem() const
{
    return bar()->currentIndex() < itemCount() ? bar()->currentIndex() : -1;
}
