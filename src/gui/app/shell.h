// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The folder chooser, starting at startPath with it preselected; empty when the user cancels.
QString chooseFolder(QWidget *parent, const QString &startPath, const QString &caption = {});
// A file dialog for an existing file matching filter ("Name (*.ext)"), starting in the folder
// startPath; empty when the user cancels.
QString chooseOpenFile(QWidget *parent, const QString &startPath, const QString &caption, const QString &filter);
// The same dialog choosing one or more files; empty when the user cancels.
QStringList chooseOpenFiles(QWidget *parent, const QString &startPath, const QString &caption, const QString &filter);
// A file dialog for a file to write, starting at startPath (a folder, or a file it proposes).
// A name typed without the filter's extension gets it. It does not ask about an existing
// file: the caller does, in the program's language.
QString chooseSaveFile(QWidget *parent, const QString &startPath, const QString &caption, const QString &filter);
// Opens a file or folder with the desktop's associated program (or owner's opener seam). False
// when nothing could open it.
bool openWithShell(const QWidget *owner, const QString &path);
// The box after files were written into folder (writtenBox); its "Otwórz folder" opens the
// folder, and an error box names the folder when nothing could.
void announceWritten(QWidget *owner, const QString &text, const QString &folder, bool leftOut = false);

namespace Shell {
// What stands in for the desktop's opener (UiSeams): gets the existing path, answers whether it opened.
using Opener = std::function<bool(const QString &path)>;

// What stands in for the choosers above (UiSeams): gets the kind and the start path and answers
// the chosen path, or empty (OpenFiles: the chosen paths, one per line).
enum class Choice { Folder, OpenFile, OpenFiles, SaveFile };
using Chooser = std::function<QString(Choice choice, const QString &startPath)>;
} // namespace Shell
