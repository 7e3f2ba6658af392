// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/screenpreview.h"

#include <QFontDatabase>
#include <QPainter>

namespace {
constexpr int kMargin = 3;
}

ScreenPreview::ScreenPreview(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("screenPreview"));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    setFont(font);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ScreenPreview::setBoardSize(int columns, int rows)
{
    m_columns = qBound(1, columns, 200);
    m_rows = qBound(1, rows, 50);
    updateGeometry();
    update();
}

void ScreenPreview::setLines(const QStringList &lines)
{
    m_lines = lines;
    update();
}

QStringList ScreenPreview::shownLines() const
{
    QStringList shown;
    for (int i = 0; i < qMin(m_rows, int(m_lines.size())); ++i)
        shown << m_lines[i].left(m_columns);
    return shown;
}

QSize ScreenPreview::sizeHint() const
{
    return {m_columns * kColumnWidth + 2 * kMargin, m_rows * kLineHeight + 2 * kMargin};
}

void ScreenPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().mid().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(palette().text().color());
    const QStringList lines = shownLines();
    for (int row = 0; row < lines.size(); ++row) {
        // One cell per character, so the columns line up whatever the font's advance.
        for (int column = 0; column < lines[row].size(); ++column) {
            const QRect cell(kMargin + column * kColumnWidth, kMargin + row * kLineHeight, kColumnWidth, kLineHeight);
            painter.drawText(cell, Qt::AlignCenter, lines[row].mid(column, 1));
        }
    }
}
