// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/charsetmode.h"

#include <QImage>
#include <QPoint>
#include <QString>

struct BoardFont;

// A printable table of a font's 256 glyphs: 16 x 16 cells of 64 pixels on white, code c in row
// c / 16 and column c mod 16, each with its character, its code in hex and decimal and its dots.
namespace FontChart {

inline constexpr int kCellSize = 64;
inline constexpr int kImageSize = 16 * kCellSize;
inline constexpr int kDotSize = 7;
inline constexpr QPoint kDotsOrigin{25, 5}; // in a cell: dot (i, j) at kDotsOrigin + 7 * (i, j)

QImage render(const BoardFont &font, CharsetMode mode);
// Writes the image as a BMP file through the one atomic save; creates the folder when missing.
bool saveBmp(const QImage &image, const QString &path, QString *error = nullptr);

} // namespace FontChart
