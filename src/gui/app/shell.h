// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// The folder chooser, starting at startPath with it preselected; empty when the user cancels.
QString chooseFolder(QWidget *parent, const QString &startPath, const QString &caption = {});
// Opens a file or folder with the desktop's associated program. False when nothing could open it.
bool openWithShell(const QString &path);
