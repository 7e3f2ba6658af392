// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/lyricexport.h"

#include "core/lyrics/openlyrics.h"
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

// Where the bytes go: a free name (or one holding these very bytes), trying " (2)", " (3)"...
QString targetFor(const QString &outDir, const QString &base, const QByteArray &bytes, QSet<QString> &used,
                  bool *same)
{
    *same = false;
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? base + u".xml" : QStringLiteral("%1 (%2).xml").arg(base).arg(n);
        if (used.contains(name))
            continue;
        const QString path = outDir + u'/' + name;
        if (QFileInfo(path).exists() || QFileInfo(path).isSymLink()) {
            QByteArray existing;
            if (!readRegularFile(path, qint64(bytes.size()), &existing) || existing != bytes)
                continue;
            *same = true;
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
            bool same = false;
            const QString target = targetFor(outPath, name, bytes, used, &same);
            if (same)
                ++result.unchanged;
            else if (ReplacingFile file(target, ReplacingFile::NewOnly);
                     file.open() && file.write(bytes.constData(), bytes.size()) && file.commit())
                ++result.written;
            else
                result.failed << files.name + u'/' + name;
        }
    }
    return true;
}

} // namespace LyricExport
