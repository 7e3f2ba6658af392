// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/ledbanner.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>

QPixmap ledBanner(const QString &text, const QSize &size)
{
    constexpr int kDotPitch = 6;
    const int columns = size.width() / kDotPitch;
    const int rows = size.height() / kDotPitch;

    // Render the text small, then light one dot per pixel of it.
    QImage mask(columns, rows, QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter p(&mask);
        QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setBold(true);
        font.setPixelSize(qMax(6, rows * 2 / 3));
        font.setStyleStrategy(QFont::NoAntialias);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(mask.rect(), Qt::AlignCenter, text);
    }

    QPixmap picture(size);
    picture.fill(QColor(0x14, 0x12, 0x10));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QColor lit(0xFF, 0xB0, 0x20);
    const QColor dark(0x3A, 0x2C, 0x18);
    const int offsetX = (size.width() - columns * kDotPitch) / 2;
    const int offsetY = (size.height() - rows * kDotPitch) / 2;
    for (int y = 0; y < rows; ++y) {
        const uchar *line = mask.constScanLine(y);
        for (int x = 0; x < columns; ++x) {
            p.setBrush(line[x] > 127 ? lit : dark);
            p.drawEllipse(
                QRectF(offsetX + x * kDotPitch + 0.5, offsetY + y * kDotPitch + 0.5, kDotPitch - 1.0, kDotPitch - 1.0));
        }
    }
    return picture;
}
