// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/report/songbooksongs.h"
#include "pdf/songbookpagination.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRawFont>
#include <QRectF>
#include <QSet>

class QPaintDevice;
class QPainter;
class QTextLayout;

// A song as the book prints it.
struct BookSong
{
    int number = 0;
    QString title;
    QList<SongbookStanza> stanzas;
};

// The page in device units: text area inside the margins, split into columns.
struct PageGeometry
{
    QSizeF page;
    qreal margin = 0;
    qreal columnGap = 0;
    int columns = 1;

    qreal columnWidth() const { return (page.width() - 2 * margin - (columns - 1) * columnGap) / columns; }
    qreal columnHeight() const { return page.height() - 2 * margin; }
    QPointF columnOrigin(int column) const { return {margin + column * (columnWidth() + columnGap), margin}; }
};

// Measures and draws the pieces of the book with the same fonts and the same device, so that
// what the pagination was told is what the page shows. Every text drawn is checked against
// the book's font once per character.
class SongbookRenderer
{
public:
    // refrain: the refrain's label, whose width with the widest number sets the labels' gutter.
    SongbookRenderer(QPaintDevice *device, const PageGeometry &geometry, const QString &refrain);

    MeasuredSong measure(const BookSong &song, const QString &continued);
    qreal stanzaGap() const { return m_text.lineSpacing(); }
    qreal songGap() const { return m_text.lineSpacing() * 1.5; }
    qreal indexHeadingHeight() const { return m_heading.lineSpacing() * 2; }
    qreal indexEntryHeight() const { return m_text.lineSpacing(); }

    void drawTitlePage(QPainter &painter, const QString &title);
    void drawFooter(QPainter &painter, int pageNumber);
    void drawHeading(QPainter &painter, const Placement &at, const BookSong &song, const QString &continued);
    void drawStanzaLine(QPainter &painter, const Placement &at, const SongbookStanza &stanza);
    void drawIndexHeading(QPainter &painter, const Placement &at, const QString &text);
    void drawIndexEntry(QPainter &painter, const Placement &at, const BookSong &song, int pageNumber);

    QString missingCharacters() const { return m_missing; }
    // The family the text font resolved to when it is not the book's own.
    QString substitutedFamily() const;

private:
    qreal layoutHeading(QTextLayout &layout, const BookSong &song, const QString &continued);
    qreal lineHeight(const QString &line);
    QPointF origin(const Placement &at) const;
    void check(const QString &text);

    QPaintDevice *m_device;
    PageGeometry m_geometry;
    QFont m_textFont;
    QFont m_headingFont;
    QFontMetricsF m_text;
    QFontMetricsF m_heading;
    qreal m_labelWidth;
    QRawFont m_raw;
    QSet<char32_t> m_checked;
    QString m_missing;
};
