// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/lyrics/lyricmessage.h"
#include "core/util/progress.h"

#include <QString>
#include <QStringList>

// The songs of a card written out as OpenLyrics 0.9 files, "NNNN Title.xml", for other song
// programs to read.
namespace LyricExport {

struct Result
{
    int written = 0;
    int unchanged = 0;  // the folder held the same file already
    QStringList failed; // song files that could not be read or written, "group/file"
    bool stopped = false;
};

// Exports every song of card (or of its group when group is not empty) into outDir, which is
// created when missing. The same bytes count as unchanged; an earlier export of the same song
// (same title and number) is replaced atomically; a name that another file holds, or that is met
// twice, gets " (2)", " (3)", ... before ".xml". Control characters leave the file names. songbook names
// the songbook whose entry is the song's number; program goes into createdIn and modifiedIn.
// False, with the reason, when outDir lies in the card, the group does not exist or outDir
// cannot be made.
// "Lumivox 1.2.0": the program that writes the files, from the application's version.
QString programName();

bool exportSongs(const QString &card, const QString &group, const QString &outDir, const QString &songbook,
                 const QString &program, Result &result, const Progress &progress = {}, LyricMessage *error = nullptr);

} // namespace LyricExport
