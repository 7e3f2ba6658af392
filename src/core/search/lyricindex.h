// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <atomic>
#include <vector>

class Song;
class SongLibrary;

// Where a hit was found; the order is the ranking's.
enum class LyricHitKind : int { Number = 0, Title = 1, Lyrics = 2 };

// One song found by a lyric search. Stanza, screen and line are 1-based, all 0 for a number or
// title hit. The snippet is the hit line and the next line of its screen, joined by " / ".
struct LyricHit
{
    QString path;
    QString group;
    QString name; // "0153 Barka", as the tree shows it
    int number = 0;
    QString title;
    LyricHitKind kind = LyricHitKind::Lyrics;
    int stanza = 0;
    int screen = 0;
    int line = 0;
    QString snippet;
};

struct LyricSearchResult
{
    QList<LyricHit> hits; // at most the limit asked for, in rank order
    int total = 0;        // every song found
};

// A query as the index matches it: folded words and "…" phrases (an unclosed quote ends at the
// end), each matched at the start of a word, a phrase's words in a row. A query of digits alone
// also names a song number.
struct LyricQuery
{
    QStringList terms;
    int number = -1;

    static LyricQuery parse(QStringView text);
    // Terms all under two characters find nothing (a number still does).
    bool searchesText() const;
};

// The folded lyrics of a card's songs (not its slides), kept in memory for searching as one types.
// Paths are the songs' full paths; a song's group is the name of its file's folder.
class LyricIndex
{
public:
    // Reads every song file, without changing any. Ends early, with what it has, when stop is
    // set. Files that cannot be read are counted in *unreadable.
    static LyricIndex build(const QStringList &paths, const std::atomic_bool *stop = nullptr,
                            int *unreadable = nullptr);
    // The full paths of the songs a scanned library lists, in library order.
    static QStringList songPaths(const SongLibrary &library);

    // The song as held in memory (after a save): its path, number, title and content; no read.
    void setSong(const Song &song);
    // Reads one file again; false, with its entry removed, when it cannot be read.
    bool readSong(const QString &path);
    void removeSong(const QString &path);
    // A renamed or moved song keeps its content; number, title and group follow the new path.
    void renameSong(const QString &from, const QString &to);
    // Every song whose file lies in the directory (ending with "/").
    void removeDirectory(const QString &directory);

    LyricSearchResult search(QStringView query, int limit = 100) const;
    LyricSearchResult search(const LyricQuery &query, int limit = 100) const;

    // False when the file is gone or differs in time or size from what was indexed.
    bool isCurrent(const QString &path) const;
    bool contains(const QString &path) const { return m_byPath.contains(path); }
    int songCount() const { return int(m_entries.size()); }
    // The memory the entries hold, roughly (string and list contents).
    qint64 approximateBytes() const;
    // Files read since this index was made (a seam for the tests of in-memory updates).
    int fileReads() const { return m_fileReads; }

private:
    // Where a non-blank line of the song sits: its folded text starts at byte folded, its trimmed
    // original text at original (for length characters) in the entry's texts.
    struct LinePlace
    {
        qint32 folded;
        qint32 original;
        quint8 length;
        quint8 stanza;
        quint8 screen;
        quint8 line;
    };
    struct Entry
    {
        QString path;
        QString title;
        // Folded texts in UTF-8 (mostly ASCII once the accents are gone), searched with memmem.
        QByteArray foldedTitle;
        // The stanzas' folded texts, lines joined by a blank, stanzas separated by a line feed.
        QByteArray folded;
        QString original;
        QList<LinePlace> places;
        QList<qint32> stanzaStarts;
        qint64 modified = 0;
        qint64 size = -1;
        int number = 0;
    };
    struct Match
    {
        int rank;
        int entry;
        int place; // -1 for number and title hits
    };

    static Entry entryOf(const Song &song);
    void put(Entry entry);
    void stamp(Entry &entry) const;
    bool matchEntry(const Entry &entry, const QList<QByteArray> &terms, int number, Match *match) const;
    LyricHit hitOf(const Match &match) const;

    std::vector<Entry> m_entries;
    QHash<QString, int> m_byPath;
    int m_fileReads = 0;
};
