// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/treeicons.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

#include <functional>

namespace TreeIcons {

namespace {

void folder(QPainter &p, const QColor &fill)
{
    p.setPen(fill.darker(170));
    p.setBrush(fill.darker(115));
    p.drawRect(1, 3, 6, 2);
    p.setBrush(fill);
    p.drawRect(1, 4, 14, 10);
}

void page(QPainter &p, const QColor &fill)
{
    p.setPen(QColor(90, 90, 90));
    p.setBrush(fill);
    p.drawRect(3, 1, 10, 14);
}

void lines(QPainter &p, const QColor &colour, int from, int to, int left, int right)
{
    p.setPen(colour);
    for (int y = from; y <= to; y += 2)
        p.drawLine(left, y, right, y);
}

void card(QPainter &p)
{
    // A memory card: a blue body with the cut corner and gold contacts.
    const QPolygon body({QPoint(3, 1), QPoint(11, 1), QPoint(14, 4), QPoint(14, 15), QPoint(3, 15)});
    p.setPen(QColor(20, 50, 110));
    p.setBrush(QColor(60, 110, 200));
    p.drawPolygon(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 190, 60));
    for (int x = 5; x <= 11; x += 3)
        p.drawRect(x, 2, 2, 3);
    p.setBrush(Qt::white);
    p.drawRect(5, 8, 7, 5);
}

void ledBoard(QPainter &p, const QColor &led)
{
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(25, 25, 25));
    p.drawRect(1, 2, 14, 11);
    p.setPen(led);
    for (int y = 4; y <= 11; y += 3)
        for (int x = 3; x <= 13; x += 2)
            p.drawPoint(x, y);
}

// A transparent 16 x 16 picture drawn at ratio device pixels per pixel.
QPixmap canvas(int ratio)
{
    QPixmap pixmap(16 * ratio, 16 * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// Both densities, so that a screen at twice the density gets a sharp picture.
QIcon bothDensities(const std::function<QPixmap(int)> &draw)
{
    QIcon icon;
    icon.addPixmap(draw(1));
    icon.addPixmap(draw(2));
    return icon;
}

QPixmap paint(int image, int ratio)
{
    QPixmap pixmap = canvas(ratio);
    QPainter p(&pixmap);
    switch (image) {
    case Song:
        page(p, Qt::white);
        lines(p, QColor(70, 110, 190), 4, 12, 5, 11);
        break;
    case Playlist:
        page(p, QColor(255, 250, 215));
        p.setPen(QColor(200, 70, 40));
        for (int y = 4; y <= 12; y += 3)
            p.drawPoint(5, y);
        lines(p, QColor(90, 90, 90), 4, 4, 7, 11);
        lines(p, QColor(90, 90, 90), 7, 7, 7, 11);
        lines(p, QColor(90, 90, 90), 10, 10, 7, 11);
        break;
    case Card:
        card(p);
        break;
    case SlidesNode:
        folder(p, QColor(150, 215, 150));
        break;
    case Slide:
        ledBoard(p, QColor(255, 190, 40));
        break;
    case Group:
        folder(p, QColor(245, 205, 95));
        break;
    case PlaylistsNode:
        folder(p, QColor(240, 160, 120));
        break;
    default:
        break;
    }
    return pixmap;
}

} // namespace

QIcon icon(int image)
{
    static QHash<int, QIcon> cache;
    auto it = cache.find(image);
    if (it == cache.end())
        it = cache.insert(image, bothDensities([image](int ratio) { return paint(image, ratio); }));
    return it.value();
}

QIcon statusIcon(bool cardChosen)
{
    if (cardChosen)
        return icon(Card);
    static const QIcon none = bothDensities([](int ratio) {
        QPixmap pixmap = canvas(ratio);
        QPainter p(&pixmap);
        card(p);
        p.setPen(QPen(QColor(200, 30, 30), 2));
        p.drawLine(2, 2, 14, 14);
        return pixmap;
    });
    return none;
}

} // namespace TreeIcons
