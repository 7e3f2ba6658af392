// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/emptyhint.h"

#include <QAbstractScrollArea>
#include <QPainter>

void paintEmptyHint(QAbstractScrollArea *view, const QString &text, int top)
{
    if (text.isEmpty())
        return;
    QWidget *viewport = view->viewport();
    QPainter painter(viewport);
    painter.setPen(view->palette().color(QPalette::Disabled, QPalette::Text));
    const QRect area = viewport->rect().adjusted(12, top + 12, -12, -12);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
}
