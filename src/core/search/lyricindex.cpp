// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/search/lyricindex.h"

#include "core/library/songlibrary.h"
#include "core/search/textfold.h"
#include "core/model/song.h"
#include "core/model/songfile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include <string.h>

namespace {

constexpr int kSnippetChars = 60;
constexpr int kMinTermChars = 2;

// The first place where term starts a word of text; -1 when nowhere.
qsizetype findAtWordStart(QByteArrayView text, QByteArrayView term)
{
    const char *begin = text.data();
    const char *end = begin + text.size();
    for (const char *from = begin; from < end;) {
        const void *found = memmem(from, size_t(end - from), term.data(), size_t(term.size()));
        if (!found)
            return -1;
        const char *at = static_cast<const char *>(found);
        if (at == begin || at[-1] == ' ' || at[-1] == '\n')
            return at - begin;
        from = at + 1;
    }
    return -1;
}

bool allAtWordStart(QByteArrayView text, const QList<QByteArray> &terms)
{
    return std::all_of(terms.cbegin(), terms.cend(),
                       [text](const QByteArray &term) { return findAtWordStart(text, term) >= 0; });
}

void addTerm(QStringList &terms, const QString &term)
{
    if (!term.isEmpty() && !terms.contains(term))
        terms << term;
}

} // namespace

// --- query ---

LyricQuery LyricQuery::parse(QStringView text)
{
    LyricQuery query;
    const QStringView trimmed = text.trimmed();
    if (!trimmed.isEmpty() && trimmed.size() <= 4
        && std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        query.number = trimmed.toInt();
    bool inPhrase = false;
    for (const QStringView part : text.tokenize(u'"')) {
        const QString folded = TextFold::fold(part);
        if (inPhrase) {
            addTerm(query.terms, folded);
        } else {
            for (const QStringView word : QStringView(folded).tokenize(u' ', Qt::SkipEmptyParts))
                addTerm(query.terms, word.toString());
        }
        inPhrase = !inPhrase;
    }
    return query;
}

bool LyricQuery::searchesText() const
{
    return std::any_of(terms.cbegin(), terms.cend(), [](const QString &term) { return term.size() >= kMinTermChars; });
}

// --- building and keeping current ---

QStringList LyricIndex::songPaths(const SongLibrary &library)
{
    QStringList paths;
    for (const SongGroupFiles &group : library.groups()) {
        for (const QString &name : group.files)
            paths << library.songPath(group.name, name);
    }
    return paths;
}

LyricIndex LyricIndex::build(const QStringList &paths, const std::atomic_bool *stop, int *unreadable)
{
    LyricIndex index;
    index.m_entries.reserve(paths.size());
    for (const QString &path : paths) {
        if (stop && *stop)
            break;
        if (!index.readSong(path) && unreadable)
            ++*unreadable;
    }
    return index;
}

LyricIndex::Entry LyricIndex::entryOf(const Song &song)
{
    Entry entry;
    entry.path = song.path();
    entry.title = song.title();
    entry.foldedTitle = TextFold::fold(entry.title).toUtf8();
    entry.number = song.number();
    for (int s = 0; s < song.stanzaCount(); ++s) {
        if (s > 0)
            entry.folded.append('\n');
        entry.stanzaStarts << qint32(entry.folded.size());
        const QList<Screen> &screens = song.stanzas().at(s).screens;
        bool first = true;
        for (int k = 0; k < screens.size(); ++k) {
            for (int line = 0; line < kScreenLines; ++line) {
                const QStringView raw = QStringView(screens.at(k).text).mid(line * kLineChars, kLineChars);
                const qsizetype before = entry.folded.size();
                if (!first)
                    entry.folded.append(' ');
                const qsizetype start = entry.folded.size();
                TextFold::appendFolded(raw, entry.folded);
                if (entry.folded.size() == start) {
                    entry.folded.truncate(before);
                    continue;
                }
                first = false;
                const QStringView original = raw.trimmed();
                entry.places << LinePlace{
                    qint32(start), qint32(entry.original.size()), quint8(original.size()), quint8(s), quint8(k),
                    quint8(line)};
                entry.original.append(original);
            }
        }
    }
    entry.folded.squeeze();
    entry.original.squeeze();
    entry.places.squeeze();
    return entry;
}

void LyricIndex::stamp(Entry &entry) const
{
    const QFileInfo info(entry.path);
    entry.modified = info.exists() ? info.lastModified().toMSecsSinceEpoch() : 0;
    entry.size = info.exists() ? info.size() : -1;
}

void LyricIndex::put(Entry entry)
{
    const auto found = m_byPath.constFind(entry.path);
    if (found != m_byPath.cend()) {
        m_entries[*found] = std::move(entry);
        return;
    }
    m_byPath.insert(entry.path, int(m_entries.size()));
    m_entries.push_back(std::move(entry));
}

void LyricIndex::setSong(const Song &song)
{
    if (song.kind() == SongKind::Slide || song.path().isEmpty())
        return;
    Entry entry = entryOf(song);
    stamp(entry);
    put(std::move(entry));
}

bool LyricIndex::readSong(const QString &path)
{
    ++m_fileReads;
    const QFileInfo info(path);
    Song song;
    // Stamped before the read: a file changed meanwhile looks changed afterwards, not current.
    const qint64 modified = info.lastModified().toMSecsSinceEpoch();
    const qint64 size = info.size();
    if (!info.isFile() || !SongFile::load(path, song, nullptr, SongLoadOptions{false})) {
        removeSong(path);
        return false;
    }
    Entry entry = entryOf(song);
    entry.modified = modified;
    entry.size = size;
    put(std::move(entry));
    return true;
}

void LyricIndex::removeSong(const QString &path)
{
    const auto found = m_byPath.constFind(path);
    if (found == m_byPath.cend())
        return;
    const int index = *found;
    m_byPath.erase(found);
    const int last = int(m_entries.size()) - 1;
    if (index != last) {
        m_entries[index] = std::move(m_entries[last]);
        m_byPath[m_entries[index].path] = index;
    }
    m_entries.pop_back();
}

void LyricIndex::renameSong(const QString &from, const QString &to)
{
    const auto found = m_byPath.constFind(from);
    if (found == m_byPath.cend() || from == to)
        return;
    Entry entry = m_entries[*found];
    removeSong(from);
    Song named;
    SongFile::parseFileName(named, to);
    entry.path = to;
    entry.number = named.number();
    entry.title = named.title();
    entry.foldedTitle = TextFold::fold(entry.title).toUtf8();
    stamp(entry);
    put(std::move(entry));
}

void LyricIndex::removeDirectory(const QString &directory)
{
    QStringList gone;
    for (const Entry &entry : m_entries) {
        if (entry.path.startsWith(directory))
            gone << entry.path;
    }
    for (const QString &path : std::as_const(gone))
        removeSong(path);
}

bool LyricIndex::isCurrent(const QString &path) const
{
    const auto found = m_byPath.constFind(path);
    const QFileInfo info(path);
    if (found == m_byPath.cend() || !info.isFile())
        return false;
    const Entry &entry = m_entries[*found];
    return entry.modified == info.lastModified().toMSecsSinceEpoch() && entry.size == info.size();
}

qint64 LyricIndex::approximateBytes() const
{
    qint64 bytes = qint64(m_entries.capacity() * sizeof(Entry));
    for (const Entry &entry : m_entries) {
        bytes += 2 * (entry.path.capacity() + entry.title.capacity() + entry.original.capacity())
            + entry.foldedTitle.capacity() + entry.folded.capacity();
        bytes += entry.places.capacity() * qint64(sizeof(LinePlace)) + entry.stanzaStarts.capacity() * 4;
        bytes += 5 * 16 + 2 * 16; // the headers of the strings and the lists
    }
    // A hash node holds a key that shares the entry's path, its value and the bucket.
    return bytes + m_byPath.size() * 48;
}

// --- search ---

bool LyricIndex::matchEntry(const Entry &entry, const QList<QByteArray> &terms, int number, Match *match) const
{
    if (number >= 0 && entry.number == number) {
        *match = {int(LyricHitKind::Number), 0, -1};
        return true;
    }
    if (terms.isEmpty())
        return false;
    if (allAtWordStart(entry.foldedTitle, terms)) {
        *match = {int(LyricHitKind::Title), 0, -1};
        return true;
    }
    // A term the whole text lacks rules the song out before any stanza is looked at.
    if (!allAtWordStart(entry.folded, terms))
        return false;
    const QByteArrayView folded(entry.folded);
    for (qsizetype s = 0; s < entry.stanzaStarts.size(); ++s) {
        const qsizetype start = entry.stanzaStarts.at(s);
        const qsizetype end = s + 1 < entry.stanzaStarts.size() ? entry.stanzaStarts.at(s + 1) - 1 : folded.size();
        const QByteArrayView stanza = folded.sliced(start, end - start);
        if (!allAtWordStart(stanza, terms))
            continue;
        const qsizetype at = start + findAtWordStart(stanza, terms.first());
        const auto after = std::upper_bound(entry.places.cbegin(), entry.places.cend(), at,
                                            [](qsizetype pos, const LinePlace &place) { return pos < place.folded; });
        const int place = int(after - entry.places.cbegin()) - 1;
        const LinePlace &line = entry.places.at(place);
        // The first screen of the first stanza ranks next after the titles.
        const int rank = int(LyricHitKind::Lyrics) + (line.stanza == 0 && line.screen == 0 ? 0 : 1);
        *match = {rank, 0, place};
        return true;
    }
    return false;
}

LyricSearchResult LyricIndex::search(QStringView query, int limit) const
{
    return search(LyricQuery::parse(query), limit);
}

LyricSearchResult LyricIndex::search(const LyricQuery &query, int limit) const
{
    LyricSearchResult result;
    if (query.number < 0 && !query.searchesText())
        return result;
    QList<QByteArray> terms;
    if (query.searchesText()) {
        for (const QString &term : query.terms)
            terms << term.toUtf8();
    }
    QList<Match> matches;
    for (int i = 0; i < int(m_entries.size()); ++i) {
        Match match;
        if (matchEntry(m_entries[i], terms, query.number, &match)) {
            match.entry = i;
            matches << match;
        }
    }
    const auto before = [this](const Match &a, const Match &b) {
        const Entry &x = m_entries[a.entry];
        const Entry &y = m_entries[b.entry];
        return std::tie(a.rank, x.number, x.path) < std::tie(b.rank, y.number, y.path);
    };
    const qsizetype shown = std::min<qsizetype>(std::max(limit, 0), matches.size());
    std::partial_sort(matches.begin(), matches.begin() + shown, matches.end(), before);
    result.total = int(matches.size());
    for (qsizetype i = 0; i < shown; ++i)
        result.hits << hitOf(matches.at(i));
    return result;
}

LyricHit LyricIndex::hitOf(const Match &match) const
{
    const Entry &entry = m_entries[match.entry];
    LyricHit hit;
    hit.path = entry.path;
    const QFileInfo file(entry.path);
    hit.group = file.dir().dirName();
    hit.name = file.completeBaseName();
    hit.number = entry.number;
    hit.title = entry.title;
    hit.kind = match.rank <= int(LyricHitKind::Title) ? LyricHitKind(match.rank) : LyricHitKind::Lyrics;
    if (match.place < 0)
        return hit;
    const LinePlace &place = entry.places.at(match.place);
    hit.stanza = place.stanza + 1;
    hit.screen = place.screen + 1;
    hit.line = place.line + 1;
    hit.snippet = entry.original.mid(place.original, place.length);
    if (match.place + 1 < entry.places.size()) {
        const LinePlace &next = entry.places.at(match.place + 1);
        if (next.stanza == place.stanza && next.screen == place.screen && next.line == place.line + 1)
            hit.snippet += QStringLiteral(" / ") + entry.original.mid(next.original, next.length);
    }
    hit.snippet.truncate(kSnippetChars);
    if (!hit.snippet.isEmpty() && hit.snippet.back().isHighSurrogate())
        hit.snippet.chop(1);
    hit.snippet = hit.snippet.trimmed();
    return hit;
}
