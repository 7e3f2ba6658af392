// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QWidget;

namespace StatusMessage {

inline constexpr int kShownMs = 5000;

// Shows text for a few seconds in the status bar of the main window that holds widget (or owns
// the dialog that does); nothing when there is none.
void show(QWidget *widget, const QString &text, int ms = kShownMs);
// "Zapisano: NAME" for the file just written.
void showSaved(QWidget *widget, const QString &path);

} // namespace StatusMessage
