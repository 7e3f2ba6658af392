// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class LibraryPanel;

// The library panel's commands on song files of other programs: OpenLyrics and plain text
// files imported into a group of the card, and the card's songs (or one group's) exported as
// OpenLyrics files into a folder.
class LyricFileCommands : public QObject
{
    Q_OBJECT
public:
    explicit LyricFileCommands(LibraryPanel *panel);

    // Files, target group, songbook, the import under the wait dialog, the tree and the lyric
    // index updated, then the report.
    void importFiles();
    // Exports group (empty: every group) into a folder the user chooses.
    void exportSongs(const QString &group);

private:
    LibraryPanel *m_panel;
};
