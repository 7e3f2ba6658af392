// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf/songbookpagination.h"

#include <numeric>

namespace {

// Heights are sums of font metrics; a sum that lands a rounding error above the column still fits.
constexpr qreal kSlack = 0.01;

qreal stanzaHeight(const QList<qreal> &lines)
{
    return std::accumulate(lines.begin(), lines.end(), qreal(0));
}

} // namespace

SongbookPagination::SongbookPagination(qreal columnHeight, int columns, qreal stanzaGap, qreal songGap, int firstPage)
    : m_columnHeight(columnHeight), m_columns(std::max(columns, 1)), m_stanzaGap(stanzaGap), m_songGap(songGap),
      m_page(firstPage)
{}

bool SongbookPagination::fits(qreal height) const
{
    return m_y + height <= m_columnHeight + kSlack;
}

void SongbookPagination::nextColumn()
{
    if (++m_column >= m_columns) {
        m_column = 0;
        ++m_page;
    }
    m_y = 0;
}

void SongbookPagination::newPage()
{
    if (columnEmpty() && m_column == 0)
        return;
    m_column = 0;
    ++m_page;
    m_y = 0;
}

void SongbookPagination::place(Placement::Kind kind, int song, int stanza, int line, qreal height)
{
    m_placements.append({kind, song, stanza, line, m_page, m_column, m_y, height});
    m_y += height;
}

void SongbookPagination::addSong(int song, const MeasuredSong &measured)
{
    if (m_songPages.size() <= song)
        m_songPages.resize(song + 1, -1);
    const QList<QList<qreal>> &stanzas = measured.stanzas;
    qreal total = measured.heading;
    for (qsizetype s = 0; s < stanzas.size(); ++s)
        total += (s > 0 ? m_stanzaGap : 0) + stanzaHeight(stanzas.at(s));

    // What must stay with the heading: the first stanza, or its first line when that stanza
    // cannot share a column with the heading anyway.
    qreal firstPiece = 0;
    if (!stanzas.isEmpty() && !stanzas.first().isEmpty()) {
        firstPiece = stanzaHeight(stanzas.first());
        if (measured.heading + firstPiece > m_columnHeight)
            firstPiece = stanzas.first().first();
    }
    qreal gap = columnEmpty() ? 0 : m_songGap;
    if (!fits(gap + total) && !columnEmpty()
        && (total <= m_columnHeight || !fits(gap + measured.heading + firstPiece))) {
        nextColumn();
        gap = 0;
    }
    m_y += gap;
    m_songPages[song] = m_page;
    place(Placement::Heading, song, 0, 0, measured.heading);

    for (int s = 0; s < stanzas.size(); ++s) {
        const QList<qreal> &lines = stanzas.at(s);
        const qreal height = stanzaHeight(lines);
        if (s > 0) {
            if (fits(m_stanzaGap + height)) {
                m_y += m_stanzaGap;
            } else if (measured.continuedHeading + height <= m_columnHeight + kSlack) {
                nextColumn();
                place(Placement::ContinuedHeading, song, s, 0, measured.continuedHeading);
            } else if (fits(m_stanzaGap + lines.value(0))) {
                m_y += m_stanzaGap;
            }
        }
        for (int l = 0; l < lines.size(); ++l) {
            // A column that holds only a continued heading takes the line all the same: a
            // line taller than a column would otherwise move on for ever.
            if (!fits(lines.at(l))
                && !(m_placements.last().kind == Placement::ContinuedHeading && m_placements.last().column == m_column
                     && m_placements.last().page == m_page)) {
                nextColumn();
                place(Placement::ContinuedHeading, song, s, l, measured.continuedHeading);
            }
            place(Placement::StanzaLine, song, s, l, lines.at(l));
        }
    }
}

void SongbookPagination::startIndex(int index, qreal headingHeight, qreal entryHeight)
{
    newPage();
    if (!fits(headingHeight + entryHeight))
        nextColumn();
    place(Placement::IndexHeading, index, 0, 0, headingHeight);
}

void SongbookPagination::addIndexEntry(int index, int entry, qreal height)
{
    if (!fits(height) && !columnEmpty())
        nextColumn();
    place(Placement::IndexEntry, index, 0, entry, height);
}
