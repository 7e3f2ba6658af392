// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/loadissue.h"
#include "core/model/song.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

class PosixFile;
class QIODevice;

struct SongLoadOptions
{
    // Screen lines holding tabs are read as spaces and the file is then rewritten in canonical
    // form at once. Read-only callers (checks, the command line) turn the rewrite off.
    bool rewriteTabs = true;
};

// What a read met beyond the issues it records.
struct SongReadInfo
{
    bool tabsReplaced = false;
    // Stanzas or screens beyond kMaxStanzas / kMaxScreensPerStanza were dropped; such a song is
    // never rewritten behind the user's back.
    bool limitExceeded = false;
};

// The song (.txt) and slide (.ekr) file: "#n" charset, "#k" sequence, "#z"/"#r" stanzas and
// "#e" screens of ten 20-byte lines in the board's code, CR LF line ends.
namespace SongFile {

// Number, title and kind from a name such as "0012 Abc.txt"; issue 2 for a name over 39 characters.
void parseFileName(Song &song, const QString &path, IssueList *issues = nullptr);

// Reads the file body into song. Number, path and kind must already be set: the kind decides
// whether a "#k" line counts, number and path name the issues. False when device is not readable.
bool read(QIODevice &device, Song &song, IssueList *issues = nullptr, SongReadInfo *info = nullptr,
          QString *error = nullptr);
// read() from bytes in memory.
void fromBytes(const QByteArray &bytes, Song &song, IssueList *issues = nullptr, SongReadInfo *info = nullptr);
// The canonical bytes of a song.
QByteArray toBytes(const Song &song);
bool write(QIODevice &device, const Song &song, QString *error = nullptr);

// Path, number, title and kind from path, then read(). False, with the song unchanged, when the
// file cannot be opened. A file whose tabs were replaced is rewritten at once (unless options
// say not to); when that rewrite fails the load still succeeds, the file stays as it was and
// *error says that it was not rewritten and why. Otherwise error is left alone on success.
bool load(const QString &path, Song &song, IssueList *issues = nullptr, const SongLoadOptions &options = {},
          QString *error = nullptr);
// load() without the rewrite: only a regular file is opened (never a pipe planted under a song's
// name) and what the read met is left in *info, so that a caller that reads on other threads can
// rewrite on its own with rewriteReplacedTabs().
bool loadWithoutRewrite(const QString &path, Song &song, IssueList *issues = nullptr, SongReadInfo *info = nullptr,
                        QString *error = nullptr);
// loadWithoutRewrite() of a file already opened (for instance in its directory's descriptor).
bool loadWithoutRewrite(const PosixFile &file, const QString &path, Song &song, IssueList *issues = nullptr,
                        SongReadInfo *info = nullptr, QString *error = nullptr);
// What load() does after the read: a song whose tabs were read as spaces is saved in canonical
// form unless options say not to or stanzas were dropped. False, with *error, when the save failed.
bool rewriteReplacedTabs(const QString &path, Song &song, const SongReadInfo &info, const SongLoadOptions &options,
                         QString *error = nullptr);
// Writes atomically: a failed save leaves the previous file as it was and the song unchanged.
// On success path, number, title and kind follow the new name and dirty is cleared.
bool save(const QString &path, Song &song, QString *error = nullptr);

} // namespace SongFile
