// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

class LibraryNumberTable;

// A map of item numbers as a grid of 18-pixel cells: free numbers white, taken ones green,
// duplicates red, the chosen number light cyan; the number under the mouse is drawn enlarged
// with its title beside it. Cells past the table's last number are neither drawn nor chosen.
// From the keyboard the arrow keys move a current cell (scrolling the map) and Enter or Space
// chooses it as a click would; Enter on the chosen number confirms it as a double-click.
class NumberMap : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kCell = 18;
    // The colours the dialogs' legends show.
    static inline const QColor kTakenColour{0x00, 0xFF, 0x00};
    static inline const QColor kDuplicateColour{0xFF, 0x00, 0x00};
    static inline const QColor kChosenColour{0x80, 0xFF, 0xFF};

    NumberMap(int columns, int rows, QWidget *parent = nullptr);

    // The table is not owned and must outlive the map (or be replaced first).
    void setTable(const LibraryNumberTable *table);
    // First shown row, in rows of the map's width.
    void setFirstRow(int row);
    int firstRow() const { return m_firstRow; }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    // Rows needed to show every number of the table.
    int totalRows() const;

    int chosenNumber() const { return m_chosen; }
    void setChosenNumber(int number);
    int hoveredNumber() const { return m_hovered; }
    // The number the keyboard is on; 0 before the map had focus.
    int currentNumber() const { return m_current; }
    void setCurrentNumber(int number);
    // The number of the table's entry as a screen reader says it: number, then title or "free".
    QString numberText(int number) const;
    // The number a point of the control stands for; 0 outside the table.
    int numberAt(const QPoint &pos) const;
    QRect cellRect(int number) const;

    QSize sizeHint() const override { return {m_columns * kCell + 1, m_rows * kCell + 1}; }

signals:
    void numberChosen(int number);
    // A taken number was clicked; the owner tells the user.
    void takenNumberClicked(int number);
    // A free number was double-clicked; its first click has chosen it.
    void numberDoubleClicked(int number);
    // The keyboard scrolled the map to keep the current number in sight.
    void firstRowChanged(int row);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool selectable(int number) const;
    // A click's or Enter's choice of number.
    void choose(int number);
    void drawNumber(QPainter &p, const QRect &r, int number, const QColor &fill) const;
    void drawHovered(QPainter &p) const;

    const LibraryNumberTable *m_table = nullptr;
    int m_columns;
    int m_rows;
    int m_firstRow = 0;
    int m_hovered = 0;
    int m_chosen = 0;
    int m_current = 0;
};

// Song numbers: 40 x 25 cells, scrolled by rows (first row 0..100).
class SongNumberMap : public NumberMap
{
    Q_OBJECT
public:
    explicit SongNumberMap(QWidget *parent = nullptr) : NumberMap(40, 25, parent) {}
};

// Slide numbers: 25 x 20 cells, numbers 1..500.
class SlideNumberMap : public NumberMap
{
    Q_OBJECT
public:
    explicit SlideNumberMap(QWidget *parent = nullptr) : NumberMap(25, 20, parent) {}
};
