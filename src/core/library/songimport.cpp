// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/songimport.h"

#include "core/library/batchnumbers.h"
#include "core/library/librarynaming.h"
#include "core/model/itemname.h"
#include "core/util/fileutils.h"
#include "core/util/posixfile.h"
#include "core/util/replacingfile.h"

#include <QFileInfo>
#include <QMultiHash>

#include <algorithm>
#include <cerrno>

namespace SongImport {

namespace {

QStringList songFiles(const QString &dir)
{
    QStringList names = sortedEntries(dir, QDir::Files | QDir::NoSymLinks);
    names.removeIf([](const QString &name) { return !ItemName::hasExtension(name, ItemKind::Song); });
    return names;
}

// A dangling link holds its name as firmly as a file does.
bool nameTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// A song file whose name can be copied as it is and carries a number the library accepts.
bool offered(const QString &fileName, int *number)
{
    const qsizetype extension = QStringView(ItemName::kSongExtension).size();
    if (!isPlainFileName(fileName) || fileName.size() < ItemName::kTitleStart + extension)
        return false;
    *number = ItemName::number(fileName);
    return LibraryNaming::isValidNumber(ItemKind::Song, *number);
}

// Lists the songs of one source folder; false when a stop was requested.
bool listFolder(const QString &dir, const QString &group, const QString &compareDir, const Progress &progress,
                QList<Row> &rows)
{
    const QStringList names = songFiles(dir);
    const int count = int(names.size());
    for (int i = 0; i < count; ++i) {
        if (progress.stopRequested())
            return false;
        const QString &name = names.at(i);
        progress.file(name, i, count);
        int number = 0;
        if (!offered(name, &number))
            continue;
        if (!compareDir.isEmpty() && nameTaken(LibraryNaming::joinPath(compareDir, name)))
            continue;
        rows.append(Row{number, ItemName::titleOfFileName(name), group, LibraryNaming::joinPath(dir, name)});
    }
    return true;
}

// The song files of songDir's groups by title (any case), to find a copy an earlier import made.
QMultiHash<QString, QString> songsByTitle(const QString &songDir)
{
    QMultiHash<QString, QString> paths;
    for (const QString &group : groupNames(songDir)) {
        const QString dir = LibraryNaming::joinPath(songDir, group);
        for (const QString &name : songFiles(dir))
            paths.insert(ItemName::titleOfFileName(name).toLower(), LibraryNaming::joinPath(dir, name));
    }
    return paths;
}

// Whether songDir holds the row's song already, byte for byte under the same title: a card
// imported again must not give each of its songs a second number.
bool alreadyImported(const Row &row, const QMultiHash<QString, QString> &byTitle)
{
    constexpr qint64 kMaxSongBytes = 4 * 1024 * 1024;
    const QStringList candidates = byTitle.values(row.title.toLower());
    QByteArray bytes;
    if (candidates.isEmpty() || !readRegularFile(row.sourcePath, kMaxSongBytes, &bytes))
        return false;
    return std::any_of(candidates.cbegin(), candidates.cend(), [&bytes](const QString &path) {
        QByteArray other;
        return readRegularFile(path, kMaxSongBytes, &other) && other == bytes;
    });
}

} // namespace

QString Row::fileName() const
{
    return QFileInfo(sourcePath).fileName();
}

QStringList groupNames(const QString &root)
{
    QStringList names = sortedEntries(root, QDir::Dirs | QDir::NoSymLinks);
    // Exact comparison: "SCREEN_DIR" is a group, as the library scan sees it.
    names.removeIf([](const QString &name) {
        return name == QStringView(LibraryNaming::kSlideDirName)
            || name == QStringView(LibraryNaming::kPlaylistDirName);
    });
    return names;
}

Listing list(const QString &source, const QString &songDir, const Progress &progress)
{
    Listing listing;
    listing.grouped = !sortedEntries(source, QDir::Dirs | QDir::NoSymLinks).isEmpty();
    if (!listing.grouped) {
        listing.stopped = !listFolder(source, QString(), QString(), progress, listing.rows);
        return listing;
    }
    for (const QString &group : groupNames(source)) {
        if (progress.stopRequested()) {
            listing.stopped = true;
            break;
        }
        progress.directory(group);
        const QString compareDir = LibraryNaming::joinPath(songDir, group);
        if (!listFolder(LibraryNaming::joinPath(source, group), group, compareDir, progress, listing.rows)) {
            listing.stopped = true;
            break;
        }
    }
    return listing;
}

LibraryNumberTable takenNumbers(const LibraryNumberTable &imported, const QString &songDir)
{
    LibraryNumberTable taken(LibraryNaming::kSongTableSize);
    for (int n = 1; n < taken.size(); ++n) {
        if (imported.isUsed(n))
            taken.markUsed(n);
    }
    for (const QString &group : groupNames(songDir)) {
        for (const QString &name : songFiles(LibraryNaming::joinPath(songDir, group))) {
            const int number = ItemName::number(name);
            if (taken.contains(number))
                taken.markUsed(number);
        }
    }
    return taken;
}

int Run::imported() const
{
    return int(std::count_if(results.cbegin(), results.cend(),
                             [](const RowResult &result) { return result.outcome == Outcome::Imported; }));
}

int Run::skipped() const
{
    return int(results.size()) - imported();
}

Run importRows(const QList<Row> &rows, const QString &songDir, const QString &group, Mode mode, int start,
               LibraryNumberTable &imported, const Progress &progress,
               const std::function<void(int row, const RowResult &)> &onResult)
{
    Run run;
    LibraryNumberTable taken = takenNumbers(imported, songDir);
    const QString targetDir = LibraryNaming::groupDirectory(songDir, group);
    const QString extension = ItemName::extension(ItemKind::Song);
    // Keeping numbers, every number of the rows is reserved before one is handed out: a song whose
    // number is taken, or an earlier row's, moves alone instead of pushing the rest along.
    QList<int> kept;
    QList<bool> present;
    if (mode == Mode::KeepNumbers) {
        const QMultiHash<QString, QString> byTitle = songsByTitle(songDir);
        QList<int> claims;
        for (const Row &row : rows) {
            present << alreadyImported(row, byTitle);
            claims << (present.last() ? BatchNumbers::kNotPlaced : row.number);
        }
        kept = BatchNumbers::assign(claims, taken);
    }
    int from = start;
    const int count = int(rows.size());
    for (int i = 0; i < count; ++i) {
        const Row &row = rows.at(i);
        progress.file(row.fileName(), i, count);
        if (progress.stopRequested()) {
            run.ending = Ending::Stopped;
            break;
        }
        RowResult result;
        if (mode == Mode::KeepNumbers) {
            result.number = kept.at(i);
            if (present.at(i)) {
                result.number = row.number;
                result.outcome = Outcome::Present;
            } else if (result.number == 0) {
                result.number = row.number;
                result.outcome = Outcome::NumberTaken; // and no free number left to move to
            } else if (result.number != row.number) {
                result.movedFrom = row.number;
            }
            const QString name = result.movedFrom == 0 ? row.fileName()
                                                       : ItemName::format(result.number, row.title) + extension;
            result.target = targetDir + name;
        } else {
            result.number = taken.findFree(from);
            if (result.number == 0) {
                run.ending = Ending::NoFreeNumber;
                break;
            }
            from = result.number;
            result.target = targetDir + ItemName::format(result.number, row.title) + extension;
        }
        if (result.outcome != Outcome::NumberTaken && result.outcome != Outcome::Present) {
            if (copyFileNew(row.sourcePath, result.target, &result.error)) {
                result.outcome = Outcome::Imported;
                taken.markUsed(result.number);
                imported.markUsed(result.number);
            } else {
                result.outcome = result.error == EEXIST ? Outcome::TargetExists : Outcome::CopyFailed;
            }
        }
        run.results.append(result);
        if (onResult)
            onResult(i, result);
    }
    return run;
}

} // namespace SongImport
