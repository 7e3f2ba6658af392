// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/statusmessage.h"

#include "core/app/language.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>

namespace StatusMessage {

void show(QWidget *widget, const QString &text, int ms)
{
    // A dialog's message goes to the main window it belongs to.
    QWidget *window = widget ? widget->window() : nullptr;
    while (window && !qobject_cast<QMainWindow *>(window))
        window = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (auto *frame = qobject_cast<QMainWindow *>(window))
        frame->statusBar()->showMessage(text, ms);
}

void showSaved(QWidget *widget, const QString &path)
{
    show(widget, Lang::text(Txt::SavedStatus).arg(QFileInfo(path).fileName()));
}

} // namespace StatusMessage
