// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/lyricimport.h"

#include "core/editor/songsaving.h"
#include "core/lyrics/boardtext.h"
#include "core/lyrics/lyriclayout.h"
#include "core/lyrics/plainlyrics.h"
#include "core/library/songlibrary.h"
#include "core/model/itemname.h"
#include "core/model/songfile.h"
#include "core/util/fileutils.h"
#include "core/util/leadingint.h"
#include "core/util/posixfile.h"
#include "core/util/replacingfile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QDir>
#include <QHash>
#include <QMultiHash>

#include <cerrno>
#include <cstring>

namespace LyricImport {

namespace {

Failure fail(LyricMessage *reason, Failure failure, const LyricMessage &message)
{
    if (reason)
        *reason = message;
    return failure;
}

void cleanForBoard(LyricPlan &plan, LyricNotes &notes, CharsetMode *charset)
{
    QStringList all;
    for (QList<QStringList> &stanza : plan.stanzas) {
        for (QStringList &block : stanza) {
            for (QString &line : block) {
                line = BoardText::plainPunctuation(line);
                all.append(line);
            }
        }
    }
    *charset = BoardText::charsetFor(all);
    for (QList<QStringList> &stanza : plan.stanzas) {
        for (QStringList &block : stanza) {
            for (QString &line : block)
                line = BoardText::fitToCharset(line, *charset, &notes.replacedCharacters).simplified();
        }
    }
}

} // namespace

Failure convert(const QString &path, const Board &board, const QString &lang, Source &source, LyricMessage *reason)
{
    source = Source();
    QByteArray bytes;
    if (!readRegularFile(path, OpenLyrics::kMaxFileSize, &bytes))
        return fail(reason, Failure::Unreadable, {LyricMessage::Code::Unreadable});
    const QString suffix = QFileInfo(path).suffix().toLower();
    LyricPlan plan;
    LyricMessage error;
    if (suffix == u"xml") {
        LyricSong lyrics;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        if (!OpenLyrics::read(buffer, lyrics, &error))
            return fail(reason, Failure::NotLyrics, error);
        source.title = OpenLyrics::preferredTitle(lyrics, lang);
        source.songbooks = lyrics.songbooks;
        plan = LyricMapping::map(lyrics, source.notes);
    } else if (suffix == u"txt") {
        QString text;
        if (!PlainLyrics::decode(bytes, &text, &error))
            return fail(reason, Failure::NotLyrics, error);
        source.title = PlainLyrics::titleOfName(path);
        source.nameNumber = PlainLyrics::numberOfName(path);
        plan = PlainLyrics::plan(text);
    } else {
        return fail(reason, Failure::NotLyrics, {LyricMessage::Code::UnknownFileType});
    }
    CharsetMode charset = CharsetMode::Latin;
    cleanForBoard(plan, source.notes, &charset);
    if (!LyricLayout::layout(plan, board.width, board.height, source.song, source.notes, &error))
        return fail(reason, Failure::TooBig, error);
    source.song.setCharset(charset);
    return Failure::None;
}

QString fileTitle(const QString &title)
{
    QString clean;
    clean.reserve(title.size());
    for (QChar c : title)
        clean += SongSaving::hasForbiddenTitleCharacter(QStringView(&c, 1)) ? QChar(u' ') : c;
    clean = clean.simplified();
    if (clean.size() <= SongSaving::kMaxTitleLength)
        return clean;
    const qsizetype blank = clean.lastIndexOf(u' ', SongSaving::kMaxTitleLength);
    return clean.left(blank > 0 ? blank : SongSaving::kMaxTitleLength).trimmed();
}

QStringList songbookNames(const QStringList &files)
{
    QStringList names;
    for (const QString &file : files) {
        if (!file.endsWith(u".xml", Qt::CaseInsensitive))
            continue;
        LyricSong song;
        if (!OpenLyrics::load(file, song))
            continue;
        for (const LyricSongbook &book : std::as_const(song.songbooks)) {
            if (!book.name.isEmpty() && !names.contains(book.name))
                names << book.name;
        }
    }
    return names;
}

namespace {

// The songs of the card by lower-case title, and its taken numbers, kept up to date as the
// batch adds songs.
struct CardState
{
    LibraryNumberTable numbers{5000};
    QMultiHash<QString, QString> pathsByTitle;
};

void readCard(const QString &card, CardState &state)
{
    SongLibrary library;
    library.setRoot(card);
    library.scanLibrary(ScanFlag::Songs | ScanFlag::CheckNumbers, {}, ScanOptions::readOnly());
    state.numbers = library.numbers(ItemKind::Song);
    for (const SongGroupFiles &group : library.groups()) {
        for (const QString &name : group.files) {
            state.numbers.markUsed(qBound(0, ItemName::number(name), state.numbers.size() - 1));
            state.pathsByTitle.insert(ItemName::title(name).toLower(), library.songPath(group.name, name));
        }
    }
    state.numbers.entry(0).used = true; // 0 is no song number
}

bool presentOnCard(const CardState &state, const QString &title, const Song &song)
{
    for (const QString &path : state.pathsByTitle.values(title.toLower())) {
        Song other;
        if (SongFile::load(path, other, nullptr, SongLoadOptions{false}) && other.sameContent(song))
            return true;
    }
    return false;
}

int wantedNumber(const Source &source, const QString &songbook)
{
    if (source.nameNumber > 0)
        return source.nameNumber;
    if (songbook.isEmpty())
        return 0;
    for (const LyricSongbook &book : source.songbooks) {
        if (book.name.compare(songbook, Qt::CaseInsensitive) == 0)
            return leadingInt(book.entry);
    }
    return 0;
}

void importOne(const QString &file, const Request &request, const QString &groupDir, CardState &state,
               FileResult &result)
{
    Source source;
    const Failure failure = convert(file, request.board, request.lang, source, &result.reason);
    result.notes = source.notes;
    if (failure != Failure::None)
        return;
    result.title = fileTitle(source.title);
    if (result.title.isEmpty())
        result.title = fileTitle(QFileInfo(file).completeBaseName());
    if (result.title.isEmpty())
        result.title = QStringLiteral("OpenLyrics");
    Song &song = source.song;
    if (presentOnCard(state, result.title, song)) {
        result.outcome = Outcome::Present;
        return;
    }
    result.notes.sameTitle = state.pathsByTitle.contains(result.title.toLower());
    const int wanted = wantedNumber(source, request.songbook);
    int number = wanted > 0 && wanted < state.numbers.size() && !state.numbers.isUsed(wanted) ? wanted
                                                                                              : state.numbers.findFree();
    while (true) {
        if (number <= 0) {
            result.reason = {LyricMessage::Code::NoNumber};
            return;
        }
        const QString target = groupDir + ItemName::format(number, result.title) + QStringView(ItemName::kSongExtension);
        song.setNumber(number);
        song.setTitle(result.title);
        const QByteArray bytes = SongFile::toBytes(song);
        ReplacingFile file(target, ReplacingFile::NewOnly);
        if (file.open() && file.write(bytes.constData(), bytes.size()) && file.commit()) {
            state.numbers.markUsed(number);
            state.pathsByTitle.insert(result.title.toLower(), target);
            result.number = number;
            result.target = target;
            result.outcome = Outcome::Imported;
            song.setPath(target);
            result.song = song;
            return;
        }
        if (file.error() != EEXIST) {
            result.target = target;
            result.reason = {LyricMessage::Code::WriteFailed, {target}, QString::fromLocal8Bit(std::strerror(file.error()))};
            return;
        }
        // the name was taken after the card was read: the next free number
        state.numbers.markUsed(number);
        number = state.numbers.findFree();
    }
}

} // namespace

bool importFiles(const QStringList &files, const Request &request, QList<FileResult> &results,
                 const Progress &progress, const std::function<void(const FileResult &)> &onResult, LyricMessage *error)
{
    results.clear();
    const QString groupDir = LibraryNaming::groupDirectory(QDir::cleanPath(request.card), request.group);
    if (!isPlainFileName(request.group) || !QFileInfo(groupDir).isDir() || QFileInfo(groupDir.chopped(1)).isSymLink()) {
        if (error)
            *error = {LyricMessage::Code::NoGroup, {request.group}};
        return false;
    }
    CardState state;
    readCard(QDir::cleanPath(request.card), state);
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (progress.stopRequested())
            break;
        progress.file(files[i], int(i), int(files.size()));
        FileResult result;
        result.file = files[i];
        importOne(files[i], request, groupDir, state, result);
        results.append(result);
        if (onResult)
            onResult(result);
        progress.counter(int(i) + 1);
    }
    return true;
}

} // namespace LyricImport
