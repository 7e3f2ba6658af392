// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QWidget;
class Workspace;

// The library panel's commands on song files of other programs: OpenLyrics and plain text
// files imported into a group of the card, and the card's songs (or one group's) exported as
// OpenLyrics files into a folder.
class LyricFileCommands : public QObject
{
    Q_OBJECT
public:
    // parent: the owner and the parent of the dialogs.
    LyricFileCommands(Workspace &workspace, QWidget *parent);

    // Files, target group (offered first: offeredGroup), songbook, the import under the wait dialog,
    // the library and the lyric index updated, then the report.
    void importFiles(const QString &offeredGroup);
    // Exports group (empty: every group) into a folder the user chooses.
    void exportSongs(const QString &group);

private:
    Workspace &m_workspace;
    QWidget *m_parent;
};
