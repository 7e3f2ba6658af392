// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the application icon: amber LED dots forming an "L" on a dark rounded board, as the
// scalable SVG and as PNGs at the theme sizes. Small sizes put every dot on whole pixels, so
// no size is a blurred downscale of another.
//   lumivox-make-app-icon OUTDIR   writes OUTDIR/scalable.svg and OUTDIR/NxN.png
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

// The board's dot grid; '#' lights a dot.
constexpr int kGrid = 7;
constexpr const char *kDots[kGrid] = {
    "##.....", "##.....", "##.....", "##.....", "##.....", "#######", "#######",
};
const QColor kBoard(0x26, 0x22, 0x1e);
const QColor kLit(0xff, 0xb0, 0x20);
const QColor kDim(0x4a, 0x3c, 0x2c);

bool lit(int row, int column)
{
    return kDots[row][column] == '#';
}

QString svg()
{
    // 256 units: a board with a 16-unit rim, 32-unit cells, dots of radius 12.
    QString text;
    QTextStream out(&text);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        << "  <rect x=\"4\" y=\"4\" width=\"248\" height=\"248\" rx=\"40\" fill=\"" << kBoard.name() << "\"/>\n";
    for (int row = 0; row < kGrid; ++row) {
        for (int column = 0; column < kGrid; ++column) {
            out << "  <circle cx=\"" << 16 + 16 + 32 * column << "\" cy=\"" << 16 + 16 + 32 * row
                << "\" r=\"12\" fill=\"" << (lit(row, column) ? kLit : kDim).name() << "\"/>\n";
        }
    }
    out << "</svg>\n";
    return text;
}

QImage png(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const bool small = size <= 32;
    // Whole-pixel cells: the grid is centred and the board hugs it.
    const int cell = small ? (size - 2) / kGrid : size * 32 / 256;
    const int grid = cell * kGrid;
    const int origin = (size - grid) / 2;
    painter.setRenderHint(QPainter::Antialiasing, !small);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBoard);
    const qreal radius = small ? size / 8.0 : size * 40 / 256.0;
    painter.drawRoundedRect(QRectF(0, 0, size, size), radius, radius);
    for (int row = 0; row < kGrid; ++row) {
        for (int column = 0; column < kGrid; ++column) {
            painter.setBrush(lit(row, column) ? kLit : kDim);
            const int x = origin + column * cell;
            const int y = origin + row * cell;
            if (small) {
                const int dot = std::max(1, cell - 1);
                painter.drawRect(x, y, dot, dot);
            } else {
                const qreal r = cell * 12.0 / 32.0;
                painter.drawEllipse(QPointF(x + cell / 2.0, y + cell / 2.0), r, r);
            }
        }
    }
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumivox-make-app-icon OUTDIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());
    QFile file(dir.filePath(QStringLiteral("scalable.svg")));
    if (!file.open(QIODevice::WriteOnly) || file.write(svg().toUtf8()) < 0 || !file.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return 1;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString name = dir.filePath(QStringLiteral("%1x%1.png").arg(size));
        if (!png(size).save(name)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
