// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>

// One glyph cell of the font editor: 5 columns of 8 round dots, 25 pixels apart.
// A left click toggles the dot under the pointer; from the keyboard the arrow keys move over
// the dots and Space toggles the current one.
class GlyphCell : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kPitch = 25;

    explicit GlyphCell(QWidget *parent = nullptr);

    // Byte 0 is the leftmost column; bit 7 of a byte the top row.
    std::array<quint8, 5> columns() const { return m_columns; }
    void setColumns(const std::array<quint8, 5> &columns);

    // The glyph shown, as a screen reader names it (its number and character).
    void setCaption(const QString &caption);
    QString caption() const { return m_caption; }
    // The dot the keyboard is on: column 0..4, row 0..7 (top first).
    int currentColumn() const { return m_column; }
    int currentRow() const { return m_row; }
    bool isLit(int column, int row) const { return m_columns[column] & (0x80 >> row); }
    static QRect dotRect(int column, int row);

    QSize sizeHint() const override { return {5 * kPitch + 5, 8 * kPitch + 5}; }

signals:
    void columnsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void toggle(int column, int row);

    std::array<quint8, 5> m_columns{};
    QString m_caption;
    int m_column = 0;
    int m_row = 0;
};
