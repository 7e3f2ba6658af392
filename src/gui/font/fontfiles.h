// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class AppCore;
class QWidget;
struct BoardFont;

// Font files and font data as the user hears of them.
namespace FontFiles {

// Loads the font file at path for the editor. When it does not load whole, an error box says
// why in the user's terms: the file is missing, cannot be read (the system's reason), or holds
// fewer than 256 glyphs (how many); false then.
bool loadForEditing(QWidget *owner, const QString &path, BoardFont &font);
// The folder for font data for the board: asks, starting at the folder last chosen (the data
// folder's Out at first), and remembers the answer; empty when the user cancels.
QString chooseExportFolder(QWidget *owner, AppCore &core);
// Opens the chart image at path; when no program opens it, a box names the file and offers its folder.
void showChart(QWidget *owner, const QString &path);

} // namespace FontFiles
