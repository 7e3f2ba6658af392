// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class DriveCombo;
class IssueWindow;

// What the library's commands (LibraryActions) ask of the panel that shows the library: to show
// it again after they changed the card, the drive list and the issue window.
class LibraryView
{
public:
    virtual ~LibraryView() = default;

    // Reads the card again (full: the files' contents too) and rebuilds the tree, selecting select
    // (a LibraryTree key) or else the item that was current; the lyric index too unless the caller
    // kept it current.
    virtual void refreshLibrary(bool full, const QString &select = {}, bool reindexLyrics = true) = 0;
    virtual void rebuildTree(const QString &select = {}) = 0;
    // Checks a folder and offers it as a card in the drive list; false when it was not offered.
    virtual bool offerCardFolder(const QString &path) = 0;
    virtual DriveCombo *driveList() const = 0;
    virtual IssueWindow *issueWindow() const = 0;
};
