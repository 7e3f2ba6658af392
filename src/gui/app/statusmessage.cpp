// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/statusmessage.h"

#include <QMainWindow>
#include <QStatusBar>

namespace StatusMessage {

void show(QWidget *widget, const QString &text, int ms)
{
    if (auto *frame = widget ? qobject_cast<QMainWindow *>(widget->window()) : nullptr)
        frame->statusBar()->showMessage(text, ms);
}

} // namespace StatusMessage
