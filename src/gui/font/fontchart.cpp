// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/font/fontchart.h"

#include "core/font/boardfont.h"
#include "core/util/atomicsave.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>

namespace FontChart {

namespace {

QFont sansSerif(int pixelSize)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

// The texts stand left of the dots: a text wider than the room there is narrowed, not cut.
void drawFitted(QPainter &p, const QFont &font, const QPoint &topLeft, const QString &text)
{
    constexpr int kRoom = kDotsOrigin.x() - 3;
    const int width = QFontMetrics(font).horizontalAdvance(text);
    p.save();
    p.setFont(font);
    p.translate(topLeft);
    if (width > kRoom)
        p.scale(double(kRoom) / width, 1.0);
    p.drawText(QRect(0, 0, qMax(width, kRoom), font.pixelSize() + 8), Qt::AlignLeft | Qt::AlignTop, text);
    p.restore();
}

void drawCell(QPainter &p, const QPoint &origin, int code, const Glyph &glyph, CharsetMode mode)
{
    p.setPen(Qt::black);
    drawFitted(p, sansSerif(24), origin + QPoint(2, 2), glyphCharacter(code, mode));
    const QFont small = sansSerif(14);
    drawFitted(p, small, origin + QPoint(2, 30), QStringLiteral("0x%1").arg(code, 2, 16, QLatin1Char('0')));
    drawFitted(p, small, origin + QPoint(2, 45), QString::number(code));
    for (int i = 0; i < Glyph::kColumns; ++i) {
        for (int j = 0; j < Glyph::kRows; ++j) {
            const QRect dot(origin + kDotsOrigin + QPoint(i * kDotSize, j * kDotSize), QSize(kDotSize, kDotSize));
            // one pixel of white between the squares keeps the dots apart
            p.fillRect(dot.adjusted(0, 0, -1, -1), glyph.dot(i, j) ? QColor(Qt::black) : QColor(0xD8, 0xD8, 0xD8));
        }
    }
}

} // namespace

QImage render(const BoardFont &font, CharsetMode mode)
{
    QImage image(kImageSize, kImageSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    for (int code = 0; code < BoardFont::kGlyphCount; ++code)
        drawCell(p, QPoint(code % 16 * kCellSize, code / 16 * kCellSize), code, font.glyphs[code], mode);
    p.setPen(QColor(0x80, 0x80, 0x80));
    for (int k = 0; k <= 16; ++k) {
        const int at = qMin(k * kCellSize, kImageSize - 1);
        p.drawLine(at, 0, at, kImageSize - 1);
        p.drawLine(0, at, kImageSize - 1, at);
    }
    return image;
}

bool saveBmp(const QImage &image, const QString &path, QString *error)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP")) {
        if (error)
            *error = QStringLiteral("The image could not be encoded");
        return false;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    return saveFileAtomically(path, bytes, error);
}

} // namespace FontChart
