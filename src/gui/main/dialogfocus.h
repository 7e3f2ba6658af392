// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// When a dialog closes, the window it was opened over gets the keyboard back. A window manager
// usually does that, but not every one does (or none runs), and without it the keys of a user who
// works without a mouse go nowhere until a click. Installed once on the application.
class DialogFocusReturn : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
