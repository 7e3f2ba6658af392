// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardfinding.h"
#include "core/util/progress.h"

#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

// One directory record of a card data file and the files packed after it.
struct CardPackDirectory
{
    QString name;      // the directory record ("Psalmy", "screen_dir", "playlist_dir")
    QString path;      // where the files are read from
    QStringList files; // file names with extension, in record order
    // What lies in the directory and no record can carry (a name that is not UTF-8, ...): the
    // packing lists it among the files left out.
    CardFindings notHandled = {};
};
using CardPackList = QList<CardPackDirectory>;

struct CardPackResult
{
    bool ok = false;      // the whole file was written (a skipped file does not make it fail)
    bool stopped = false; // the stop flag ended the packing; nothing was saved
    int files = 0;        // file records written
    CardFindings skipped; // files (or directories) left out, with the reason
    QString error;        // why the output could not be written
};

enum class CardUnpackStatus {
    Ok,
    OpenFailed,      // the card data file cannot be read
    WrongMagic,      // text 504; nothing unpacked
    DirectoryFailed, // a directory record could not be created (it exists, or no rights)
    WriteFailed,     // the target takes no more data (a full disk): the unpacking stopped at name
    Damaged,         // a name that is not one plain path component; nothing after it is unpacked
    Truncated,       // the file ends inside a record
    Stopped,
};

struct CardUnpackResult
{
    CardUnpackStatus status = CardUnpackStatus::Ok;
    QString name;  // the record the status concerns ("group/file" for a file)
    QString error; // the system's reason when a file or directory could not be made
    int directories = 0;
    int files = 0;           // files written completely
    CardFindings notWritten; // files whose bytes were read but could not be written

    bool ok() const { return status == CardUnpackStatus::Ok; }
};

// What unpacking does where a directory record's folder exists already: fail there, or put the
// files into it, replacing files of the same name (finishing or repeating an earlier unpack).
enum class CardUnpackFolders { MustBeNew, ReuseExisting };

// The card data file (".lvp"): a 4-byte magic, then records until the end of the file.
// Directory record: 0x01, the name in UTF-16LE ended by U+000A. File record: 0x02, the name
// likewise, a 32-bit little-endian size n and n bytes of contents. A file record belongs to
// the directory record before it (or to the target root when none came before).
namespace CardDataFile {

inline constexpr quint32 kMagic = 0x55310000;
inline constexpr char kDirectoryRecord = 0x01;
inline constexpr char kFileRecord = 0x02;
// Longest name a reader accepts; longer runs without a line end are garbage, not names.
inline constexpr int kMaxNameLength = 1024;

// A name that can be stored and unpacked: one plain path component, not empty, not starting
// with "." (so neither "." nor ".."), without "/", "\", a control character (a line feed would
// end the name early) or a lone surrogate.
bool isPlainName(const QString &name);

// Packs: writes the magic and the records of list in its order. A first entry with an empty name
// holds files for the target root: they are written before any directory record. A directory or file whose name
// is not plain, a file that cannot be read or is larger than 4 GiB - 1 is left out and reported;
// the readability of a file is checked before its record is written.
CardPackResult write(QIODevice &out, const CardPackList &list, const Progress &progress = {});
// The same into path, atomically: a failed or stopped packing leaves an existing file as it was.
CardPackResult save(const QString &path, const CardPackList &list, const Progress &progress = {});

// Unpacks into targetDir (created when missing). Wrong magic unpacks (and creates) nothing; a damaged name or
// a directory that cannot be created ends the unpacking there, files already unpacked stay; a
// truncated record leaves no partial file. Every file is written under a temporary name and
// renamed into place once complete, so an interrupted unpack leaves no cut file under a card
// name; an existing file of the same name is replaced. A file that cannot be written (its name
// is a directory) or that this unpack already wrote is skipped and listed, and the unpacking
// goes on; when the target takes no more data (a full disk) it stops there (WriteFailed).
CardUnpackResult read(QIODevice &in, const QString &targetDir, const Progress &progress = {},
                      CardUnpackFolders folders = CardUnpackFolders::MustBeNew);
// read() from the card data file at path; a path that is no regular file (a named pipe, a
// device, a folder) is refused at once (OpenFailed).
CardUnpackResult load(const QString &path, const QString &targetDir, const Progress &progress = {},
                      CardUnpackFolders folders = CardUnpackFolders::MustBeNew);
// Whether path can be unpacked at all: Ok, OpenFailed (with the reason) or WrongMagic.
CardUnpackResult check(const QString &path);

// Restores a card image from a card data file: when the file starts with the magic, everything
// below projectDir is deleted (links are removed, never followed) and the file is unpacked
// into it. A file that is not a card data file leaves projectDir as it was.
CardUnpackResult restoreImage(const QString &path, const QString &projectDir, const Progress &progress = {});

} // namespace CardDataFile
