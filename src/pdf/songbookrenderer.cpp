// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf/songbookrenderer.h"

#include "pdf/songbookpdf.h"

#include <QFontInfo>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal kTextPoints = 10;
constexpr qreal kHeadingPoints = 12;
constexpr qreal kTitlePoints = 24;
const QColor kNumberColour(0, 0, 255);

QFont bookFont(qreal points, bool bold = false)
{
    QFont font(SongbookPdf::kFontFamily);
    font.setPointSizeF(points);
    font.setBold(bold);
    // Kerning and hinting would make a measured line differ from the drawn one on other devices.
    font.setHintingPreference(QFont::PreferNoHinting);
    // The book's own font only: a character it lacks is drawn as its missing-glyph box and
    // reported, whatever other fonts the machine has installed.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

} // namespace

SongbookRenderer::SongbookRenderer(QPaintDevice *device, const PageGeometry &geometry, const QString &refrain)
    : m_device(device), m_geometry(geometry), m_textFont(bookFont(kTextPoints)),
      m_headingFont(bookFont(kHeadingPoints)), m_text(m_textFont, device), m_heading(m_headingFont, device),
      m_labelWidth(std::max(m_text.horizontalAdvance(QStringLiteral("32.")), m_text.horizontalAdvance(refrain))
                   + m_text.horizontalAdvance(QStringLiteral("\u2002"))),
      m_raw(QRawFont::fromFont(m_textFont))
{}

QString SongbookRenderer::substitutedFamily() const
{
    const QString family = QFontInfo(m_textFont).family();
    return family == m_textFont.family() ? QString() : family;
}

void SongbookRenderer::check(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text.at(i).unicode();
        if (QChar::isHighSurrogate(code) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        if (m_checked.contains(code))
            continue;
        m_checked.insert(code);
        if (!m_raw.supportsCharacter(code))
            m_missing += QString::fromUcs4(&code, 1);
    }
}

qreal SongbookRenderer::layoutHeading(QTextLayout &layout, const BookSong &song, const QString &continued)
{
    const QString number = QString::number(song.number);
    QString text = number + u"  " + song.title;
    if (!continued.isEmpty())
        text += u' ' + continued;
    check(text);
    QTextCharFormat blue;
    blue.setForeground(kNumberColour);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    layout.setText(text);
    layout.setFormats({{0, int(number.size()), blue}, {int(number.size()) + 2, int(song.title.size()), bold}});
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(m_geometry.columnWidth());
        line.setPosition({0, height});
        height += line.height();
    }
    layout.endLayout();
    return height + m_text.lineSpacing() * 0.4;
}

qreal SongbookRenderer::lineHeight(const QString &line)
{
    check(line);
    const qreal width = m_geometry.columnWidth() - m_labelWidth;
    if (m_text.horizontalAdvance(line) <= width)
        return m_text.lineSpacing();
    return m_text.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, line).height();
}

MeasuredSong SongbookRenderer::measure(const BookSong &song, const QString &continued)
{
    MeasuredSong measured;
    QTextLayout layout(QString(), m_headingFont, m_device);
    measured.heading = layoutHeading(layout, song, {});
    measured.continuedHeading = layoutHeading(layout, song, continued);
    for (const SongbookStanza &stanza : song.stanzas) {
        check(stanza.label);
        QList<qreal> lines;
        if (stanza.lines.isEmpty())
            lines.append(m_text.lineSpacing());
        for (const QString &line : stanza.lines)
            lines.append(lineHeight(line));
        measured.stanzas.append(lines);
    }
    return measured;
}

QPointF SongbookRenderer::origin(const Placement &at) const
{
    return m_geometry.columnOrigin(at.column) + QPointF(0, at.y);
}

void SongbookRenderer::drawTitlePage(QPainter &painter, const QString &title)
{
    check(title);
    painter.setFont(bookFont(kTitlePoints, true));
    painter.setPen(Qt::black);
    const QRectF area(m_geometry.margin, m_geometry.margin, m_geometry.page.width() - 2 * m_geometry.margin,
                      m_geometry.columnHeight() * 0.6);
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, title);
}

void SongbookRenderer::drawFooter(QPainter &painter, int pageNumber)
{
    painter.setFont(m_textFont);
    painter.setPen(Qt::black);
    const QRectF area(m_geometry.margin, m_geometry.page.height() - m_geometry.margin,
                      m_geometry.page.width() - 2 * m_geometry.margin, m_geometry.margin / 2);
    painter.drawText(area, Qt::AlignCenter, QString::number(pageNumber));
}

void SongbookRenderer::drawHeading(QPainter &painter, const Placement &at, const BookSong &song,
                                   const QString &continued)
{
    QTextLayout layout(QString(), m_headingFont, m_device);
    layoutHeading(layout, song, at.kind == Placement::ContinuedHeading ? continued : QString());
    painter.setPen(Qt::black);
    layout.draw(&painter, origin(at));
}

void SongbookRenderer::drawStanzaLine(QPainter &painter, const Placement &at, const SongbookStanza &stanza)
{
    const QPointF topLeft = origin(at);
    painter.setFont(m_textFont);
    painter.setPen(Qt::black);
    if (at.line == 0)
        painter.drawText(topLeft + QPointF(0, m_text.ascent()), stanza.label);
    if (at.line >= stanza.lines.size())
        return;
    const QString &line = stanza.lines.at(at.line);
    const QPointF textLeft = topLeft + QPointF(m_labelWidth, 0);
    if (at.height <= m_text.lineSpacing() + 0.01)
        painter.drawText(textLeft + QPointF(0, m_text.ascent()), line);
    else
        painter.drawText(QRectF(textLeft, QSizeF(m_geometry.columnWidth() - m_labelWidth, at.height)), Qt::TextWordWrap,
                         line);
}

void SongbookRenderer::drawIndexHeading(QPainter &painter, const Placement &at, const QString &text)
{
    check(text);
    QFont font = m_headingFont;
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(origin(at), QSizeF(m_geometry.columnWidth(), at.height)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
}

void SongbookRenderer::drawIndexEntry(QPainter &painter, const Placement &at, const BookSong &song, int pageNumber)
{
    const QPointF topLeft = origin(at);
    const qreal baseline = topLeft.y() + m_text.ascent();
    const qreal right = topLeft.x() + m_geometry.columnWidth();
    const QString number = QString::asprintf("%.4d  ", song.number);
    const QString page = QString::number(pageNumber);
    const qreal pageWidth = m_text.horizontalAdvance(page);
    const qreal numberWidth = m_text.horizontalAdvance(number);
    const QString dot = QStringLiteral(".");
    const qreal dotWidth = m_text.horizontalAdvance(dot);
    const qreal space = m_text.horizontalAdvance(u' ');
    const QString title = m_text.elidedText(song.title, Qt::ElideRight,
                                            right - topLeft.x() - numberWidth - pageWidth - 2 * space - 3 * dotWidth);
    painter.setFont(m_textFont);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(topLeft.x(), baseline), number + title);
    painter.drawText(QPointF(right - pageWidth, baseline), page);
    const qreal dotsStart = topLeft.x() + numberWidth + m_text.horizontalAdvance(title) + space;
    const int dots = int(std::floor((right - pageWidth - space - dotsStart) / dotWidth));
    if (dots > 0)
        painter.drawText(QPointF(right - pageWidth - space - dots * dotWidth, baseline), dot.repeated(dots));
}
