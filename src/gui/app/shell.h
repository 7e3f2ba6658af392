// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

// The folder chooser, starting at startPath with it preselected; empty when the user cancels.
QString chooseFolder(QWidget *parent, const QString &startPath, const QString &caption = {});
// Opens a file or folder with the desktop's associated program. False when nothing could open it.
bool openWithShell(const QString &path);

namespace Shell {
// Replaces what openWithShell does with the existing path it was given, for tests (an empty
// function restores the desktop); the replacement's answer is openWithShell's result.
using Opener = std::function<bool(const QString &path)>;
void setOpener(Opener opener);
} // namespace Shell
