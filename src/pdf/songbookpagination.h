// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

// A song measured for the page, in device units: the heading at its start, the heading that a
// column continuing it repeats, and each stanza's lines (a line may wrap to several rows, so
// each has its own height; a repeated stanza's label alone is one line).
struct MeasuredSong
{
    qreal heading = 0;
    qreal continuedHeading = 0;
    QList<QList<qreal>> stanzas;
};

// One piece of the book in its place. song and item say what is drawn: for a song heading the
// song, for a stanza line the song, the stanza and the line, for an index entry the index and
// the entry.
struct Placement
{
    enum Kind { Heading, ContinuedHeading, StanzaLine, IndexHeading, IndexEntry };
    Kind kind = Heading;
    int song = 0;
    int stanza = 0;
    int line = 0;
    int page = 0;
    int column = 0;
    qreal y = 0; // from the top of the column
    qreal height = 0;

    bool operator==(const Placement &) const = default;
};

// Fills columns and pages top to bottom with measured songs and index lines, and keeps the
// record of where everything went; drawing follows that record, so the page numbers it names
// are the pages things land on. A song starts in the current column when it fits there, else
// in the next column or page; a song taller than a column starts where its heading and first
// stanza fit and breaks between stanzas, a stanza taller than a column between lines, each
// continuing column repeating the song's heading.
class SongbookPagination
{
public:
    // firstPage: the page the first column is on (pages before it are the caller's).
    SongbookPagination(qreal columnHeight, int columns, qreal stanzaGap, qreal songGap, int firstPage = 0);

    void addSong(int song, const MeasuredSong &measured);
    // An index starts on a page of its own with its heading, kept with its first entry.
    void startIndex(int index, qreal headingHeight, qreal entryHeight);
    void addIndexEntry(int index, int entry, qreal height);

    const QList<Placement> &placements() const { return m_placements; }
    // The page each song's heading is on, by song.
    int songPage(int song) const { return m_songPages.value(song, -1); }
    // Pages from the first one up to the last used, plus the caller's before it.
    int pageCount() const { return m_page + 1; }

private:
    bool fits(qreal height) const;
    bool columnEmpty() const { return m_y <= 0; }
    void nextColumn();
    void newPage();
    void place(Placement::Kind kind, int song, int stanza, int line, qreal height);

    qreal m_columnHeight;
    int m_columns;
    qreal m_stanzaGap;
    qreal m_songGap;
    int m_page;
    int m_column = 0;
    qreal m_y = 0;
    QList<Placement> m_placements;
    QList<int> m_songPages;
};
