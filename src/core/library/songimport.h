// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/library/librarynumbertable.h"
#include "core/util/progress.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Copying songs from a card or any folder into the groups of the computer's song directory.
// A source with subdirectories is read as groups (one folder per group, as on a card); a source
// without any is flat, its song files lying directly in it.
namespace SongImport {

// A song the source offers.
struct Row
{
    int number = 0;     // 1..4999, read from the file name
    QString title;      // the file name from position 5, without ".txt"
    QString group;      // the source folder it lies in; empty for a flat source
    QString sourcePath; // the file itself
    QString fileName() const;
};

struct Listing
{
    bool grouped = false;
    bool stopped = false;
    QList<Row> rows;
};

// The song groups of a song directory or card root: its subdirectories (no links, no dot
// names) except "screen_dir" and "playlist_dir", sorted.
QStringList groupNames(const QString &root);

// The songs of source, numbered 1..4999. In a grouped source a song is left out when songDir
// already has a file of the same group and name; a flat source is not compared. Links and names
// that are no plain file name or too short to carry "NNNN " are left out. progress hears of
// every group and file and may stop the listing.
Listing list(const QString &source, const QString &songDir, const Progress &progress = {});

// The numbers an import must not hand out: those marked in the run's table of imported numbers
// and those of the song files in the groups of songDir.
LibraryNumberTable takenNumbers(const LibraryNumberTable &imported, const QString &songDir);

enum class Mode {
    // A song keeps its number; one whose number is taken, or claimed by an earlier row, moves to
    // the lowest free number that no row claims (BatchNumbers).
    KeepNumbers = 0,
    NumberFrom = 1, // songs get the free numbers from a start number upwards
};

enum class Outcome {
    Imported,
    NumberTaken,  // KeepNumbers: the song's number is taken and no free number is left
    TargetExists, // the file name is taken in the group: nothing was replaced
    CopyFailed,   // the source is gone, is no regular file, or the copy could not be written
    Present,      // KeepNumbers: a group of the song directory holds the same file under the same title
};

struct RowResult
{
    Outcome outcome = Outcome::CopyFailed;
    int number = 0;    // the number the song has (Imported) or would have had
    int movedFrom = 0; // KeepNumbers: the song's own number, which it could not keep; 0 when kept
    QString target; // the file that was or would have been written
    int error = 0;  // the system's error number of a failed copy
};

enum class Ending {
    Finished,
    Stopped,      // the stop flag was raised; the rows not reached have no result
    NoFreeNumber, // NumberFrom found no free number below 5000; earlier copies stay
};

struct Run
{
    QList<RowResult> results; // one per row handled, in row order
    Ending ending = Ending::Finished;
    int imported() const;
    int skipped() const;
};

// Copies rows into the group folder songDir/group in the mode's way (a moved song is named by its
// new number and its title); numbers are taken as takenNumbers() says, read afresh, and every number handed out is marked in imported (the
// run's table) at once. A copy never replaces a file and never leaves a partial one. Before
// each row progress.file() is told of it and the stop flag tested; onResult hears each result.
Run importRows(const QList<Row> &rows, const QString &songDir, const QString &group, Mode mode, int start,
               LibraryNumberTable &imported, const Progress &progress = {},
               const std::function<void(int row, const RowResult &)> &onResult = {});

} // namespace SongImport
