// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/lyricimport.h"

#include "core/editor/songsaving.h"
#include "core/lyrics/boardtext.h"
#include "core/lyrics/lyricfile.h"
#include "core/lyrics/lyriclanguage.h"
#include "core/lyrics/lyriclayout.h"
#include "core/lyrics/openlyrics.h"
#include "core/library/batchnumbers.h"
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
#include <QSet>

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

Failure convert(const QString &path, const Board &board, const QString &lang, Source &source, LyricMessage *reason,
                const QString &language, const QString &encoding)
{
    source = Source();
    QByteArray bytes;
    if (!readRegularFile(path, OpenLyrics::kMaxFileSize, &bytes))
        return fail(reason, Failure::Unreadable, {LyricMessage::Code::Unreadable});
    LyricFile::Contents contents;
    LyricMessage error;
    const bool read = LyricFile::read(bytes, path, encoding, contents, &error);
    source.format = LyricFile::formatWord(contents.format);
    source.encoding = contents.encoding;
    if (!read)
        return fail(reason, Failure::NotLyrics, error);
    LyricSong &lyrics = contents.song;
    const QString chosen = LyricLanguage::choose(lyrics, language, lang);
    LyricLanguage::keepOnly(lyrics, chosen, &source.notes.languagesLeftOut);
    source.title = BoardText::withoutControls(LyricLanguage::title(lyrics, chosen, lang)).simplified();
    if (source.title.isEmpty())
        source.title = contents.nameTitle;
    source.songbooks = lyrics.songbooks;
    source.nameNumber = contents.nameNumber;
    LyricPlan plan = LyricMapping::map(lyrics, source.notes);
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
    for (QChar c : BoardText::withoutControls(title))
        clean += SongSaving::hasForbiddenTitleCharacter(QStringView(&c, 1)) ? QChar(u' ') : c;
    clean = clean.simplified();
    if (clean.size() <= SongSaving::kMaxTitleLength)
        return clean;
    const qsizetype blank = clean.lastIndexOf(u' ', SongSaving::kMaxTitleLength);
    return clean.left(blank > 0 ? blank : SongSaving::kMaxTitleLength).trimmed();
}

BatchFacts batchFacts(const QStringList &files)
{
    constexpr qsizetype kOfferedLanguages = 50;
    BatchFacts facts;
    for (const QString &file : files) {
        QByteArray bytes;
        LyricFile::Contents contents;
        if (!readRegularFile(file, OpenLyrics::kMaxFileSize, &bytes))
            continue;
        const bool read = LyricFile::read(bytes, file, {}, contents, nullptr);
        facts.textFiles = facts.textFiles || contents.encoding != u"XML";
        if (!read)
            continue;
        for (const LyricSongbook &book : std::as_const(contents.song.songbooks)) {
            if (!book.name.isEmpty() && !facts.songbooks.contains(book.name))
                facts.songbooks << book.name;
        }
        const QStringList languages = LyricLanguage::languages(contents.song);
        for (const QString &language : languages) {
            if (languages.size() > 1 && facts.languages.size() < kOfferedLanguages
                && !facts.languages.contains(language))
                facts.languages << language;
        }
    }
    return facts;
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
    for (const LyricSongbook &book : source.songbooks) {
        // An entry of no named book (OpenSong's hymn number) is the file's own number, claimed as a
        // text file's name claims one; a named book's entry only when that book was asked for.
        const bool asked = !songbook.isEmpty() && book.name.compare(songbook, Qt::CaseInsensitive) == 0;
        const int entry = book.name.isEmpty() || asked ? leadingInt(book.entry) : 0;
        if (entry > 0)
            return entry;
    }
    return 0;
}

void writeSong(Source &source, int number, const QString &groupDir, CardState &state, FileResult &result)
{
    Song &song = source.song;
    while (true) {
        if (number <= 0) {
            result.reason = {LyricMessage::Code::NoNumber};
            return;
        }
        const QString target = groupDir + ItemName::format(number, result.title)
            + QStringView(ItemName::kSongExtension);
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
            result.reason = {
                LyricMessage::Code::WriteFailed, {target}, QString::fromLocal8Bit(std::strerror(file.error()))};
            return;
        }
        // the name was taken after the card was read: the next free number
        state.numbers.markUsed(number);
        number = state.numbers.findFree();
    }
}

QString titleFor(const Source &source, const QString &file)
{
    QString title = fileTitle(source.title);
    if (title.isEmpty())
        title = fileTitle(QFileInfo(file).completeBaseName());
    return title.isEmpty() ? QStringLiteral("Song") : title;
}

} // namespace

bool importFiles(const QStringList &files, const Request &request, QList<FileResult> &results, const Progress &progress,
                 const std::function<void(const FileResult &)> &onResult, LyricMessage *error)
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
    // first every file read, so that the numbers the batch claims are known before one is taken
    QList<Source> sources;
    QList<bool> ready;
    QList<FileResult> pending;
    QMultiHash<QString, qsizetype> batchByTitle; // songs of the batch to be written, as in CardState
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (progress.stopRequested())
            break;
        progress.file(files[i], int(i), int(files.size()));
        FileResult result;
        result.file = files[i];
        Source source;
        const bool ok = convert(files[i], request.board, request.lang, source, &result.reason, request.language,
                                request.encoding)
            == Failure::None;
        result.notes = source.notes;
        result.format = source.format;
        result.encoding = source.encoding;
        if (ok) {
            result.title = titleFor(source, files[i]);
            const auto earlier = [&](qsizetype k) { return sources[k].song.sameContent(source.song); };
            const QList<qsizetype> sameTitle = batchByTitle.values(result.title.toLower());
            if (presentOnCard(state, result.title, source.song)
                || std::any_of(sameTitle.cbegin(), sameTitle.cend(), earlier))
                result.outcome = Outcome::Present;
            else
                batchByTitle.insert(result.title.toLower(), sources.size());
        }
        ready.append(ok && result.outcome != Outcome::Present);
        sources.append(std::move(source));
        pending.append(result);
        progress.counter(int(i) + 1);
    }
    QList<int> claims;
    for (qsizetype i = 0; i < sources.size(); ++i)
        claims << (ready[i] ? wantedNumber(sources[i], request.songbook) : BatchNumbers::kNotPlaced);
    const QList<int> numbers = BatchNumbers::assign(claims, state.numbers);
    for (qsizetype i = 0; i < pending.size(); ++i) {
        FileResult &result = pending[i];
        if (ready[i]) {
            result.notes.sameTitle = state.pathsByTitle.contains(result.title.toLower());
            const int wanted = wantedNumber(sources[i], request.songbook);
            if (wanted > 0 && numbers[i] != wanted)
                result.notes.movedFrom = wanted;
            writeSong(sources[i], numbers[i], groupDir, state, result);
        }
        results.append(result);
        if (onResult)
            onResult(result);
    }
    return true;
}

} // namespace LyricImport
