// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/dialogfocus.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

bool DialogFocusReturn::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Hide)
        return false;
    auto *dialog = qobject_cast<QDialog *>(watched);
    if (!dialog || !dialog->isWindow() || !dialog->parentWidget())
        return false;
    const QWidget *active = QApplication::activeWindow();
    if (active && active != dialog)
        return false; // closed while another window had the keyboard
    // Once the dialog is gone; if the window system has handed the keyboard on by then, it stays.
    QPointer<QWidget> owner = dialog->parentWidget()->window();
    QTimer::singleShot(0, owner, [owner] {
        if (owner && owner->isVisible() && !QApplication::activeWindow())
            owner->activateWindow();
    });
    return false;
}
