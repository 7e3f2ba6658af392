// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/lyricexport.h"

#include "core/lyrics/boardtext.h"
#include "core/lyrics/openlyrics.h"
#include "core/util/leadingint.h"
#include "core/library/songlibrary.h"
#include "core/model/itemname.h"
#include "core/model/songfile.h"
#include "core/util/posixfile.h"
#include "core/util/replacingfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace LyricExport {

namespace {

bool fail(LyricMessage *error, LyricMessage::Code code, const QString &arg = {})
{
    if (error)
        *error = {code, arg.isEmpty() ? QStringList() : QStringList{arg}};
    return false;
}

bool contains(const QString &outer, const QString &inner)
{
    return inner == outer || inner.startsWith(outer + u'/');
}

// A path with its links resolved as far as it exists, the missing rest appended: where a folder
// would be made, known before anything is made.
QString resolvedPath(const QString &path)
{
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (!QFileInfo::exists(existing) && existing != u"/") {
        rest = u'/' + QFileInfo(existing).fileName() + rest;
        existing = QFileInfo(existing).absolutePath();
    }
    return QDir::cleanPath(QFileInfo(existing).canonicalFilePath() + rest);
}

// Whether the file at path is an earlier export of the song: an OpenLyrics document with its
// title and its number (a songbook entry, else the file name's number).
bool earlierExport(const QString &path, const QString &title, int number)
{
    LyricSong song;
    if (!OpenLyrics::load(path, song) || song.titles.isEmpty()
        || song.titles.front().text != BoardText::withoutControls(title).simplified())
        return false;
    for (const LyricSongbook &book : std::as_const(song.songbooks)) {
        if (!book.entry.isEmpty())
            return leadingInt(book.entry) == number;
    }
    return leadingInt(QFileInfo(path).completeBaseName()) == number;
}

enum class Target { New, Same, Replace };

// Where the bytes go: a free name, one holding these very bytes or an earlier export of the same
// song, trying " (2)", " (3)"...
QString targetFor(const QString &outDir, const QString &base, const QByteArray &bytes, const QString &title, int number,
                  QSet<QString> &used, Target *kind)
{
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? base + u".xml" : QStringLiteral("%1 (%2).xml").arg(base).arg(n);
        if (used.contains(name))
            continue;
        const QString path = outDir + u'/' + name;
        *kind = Target::New;
        if (QFileInfo(path).exists() || QFileInfo(path).isSymLink()) {
            if (!QFileInfo(path).isFile() || QFileInfo(path).isSymLink())
                continue;
            QByteArray existing;
            if (readRegularFile(path, qint64(bytes.size()), &existing) && existing == bytes)
                *kind = Target::Same;
            else if (earlierExport(path, title, number))
                *kind = Target::Replace;
            else
                continue;
        }
        used.insert(name);
        return path;
    }
}

} // namespace

QString programName()
{
    return QStringLiteral("Lumivox ") + QCoreApplication::applicationVersion();
}

bool exportSongs(const QString &card, const QString &group, const QString &outDir, const QString &songbook,
                 const QString &program, Result &result, const Progress &progress, LyricMessage *error)
{
    result = Result();
    const QString cardPath = QFileInfo(card).canonicalFilePath();
    if (cardPath.isEmpty() || !QFileInfo(cardPath).isDir())
        return fail(error, LyricMessage::Code::NoCard, card);
    if (contains(cardPath, resolvedPath(outDir)))
        return fail(error, LyricMessage::Code::OutputInCard);
    SongLibrary library;
    library.setRoot(cardPath);
    library.scanLibrary(ScanFlag::Songs, {}, ScanOptions::readOnly());
    QList<SongGroupFiles> groups;
    for (const SongGroupFiles &files : library.groups()) {
        if (group.isEmpty() || files.name == group)
            groups << files;
    }
    if (groups.isEmpty() && !group.isEmpty())
        return fail(error, LyricMessage::Code::NoGroup, group);
    if (!QDir().mkpath(outDir))
        return fail(error, LyricMessage::Code::OutputNotMade, outDir);
    const QString outPath = QFileInfo(outDir).canonicalFilePath();

    QSet<QString> used;
    for (const SongGroupFiles &files : std::as_const(groups)) {
        progress.directory(files.name);
        for (qsizetype i = 0; i < files.files.size(); ++i) {
            if (progress.stopRequested()) {
                result.stopped = true;
                return true;
            }
            const QString &name = files.files[i];
            progress.file(name, int(i), int(files.files.size()));
            const QString source = library.songPath(files.name, name);
            Song song;
            if (!SongFile::load(source, song, nullptr, SongLoadOptions{false})) {
                result.failed << files.name + u'/' + name;
                continue;
            }
            OpenLyrics::ExportInfo info;
            info.title = song.title();
            info.songbook = songbook;
            info.entry = song.number();
            info.modified = QFileInfo(source).lastModified();
            info.program = program;
            const QByteArray bytes = OpenLyrics::toXml(song, info);
            Target kind = Target::New;
            const QString target = targetFor(outPath, BoardText::withoutControls(name), bytes, song.title(),
                                             song.number(), used, &kind);
            if (kind == Target::Same)
                ++result.unchanged;
            else if (ReplacingFile file(
                         target, kind == Target::Replace ? ReplacingFile::ViaTemporaryName : ReplacingFile::NewOnly);
                     file.open() && file.write(bytes.constData(), bytes.size()) && file.commit())
                ++result.written;
            else
                result.failed << files.name + u'/' + name;
        }
    }
    return true;
}

} // namespace LyricExport
