// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>

// One glyph cell of the font editor: 5 columns of 8 round dots, 25 pixels apart.
// A left click toggles the dot under the pointer.
class GlyphCell : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kPitch = 25;

    explicit GlyphCell(QWidget *parent = nullptr);

    // Byte 0 is the leftmost column; bit 7 of a byte the top row.
    std::array<quint8, 5> columns() const { return m_columns; }
    void setColumns(const std::array<quint8, 5> &columns);

    QSize sizeHint() const override { return {5 * kPitch + 5, 8 * kPitch + 5}; }

signals:
    void columnsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    std::array<quint8, 5> m_columns{};
};
