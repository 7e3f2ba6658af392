// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

// A board-sized text preview of one screen: the first `columns` characters of the first `rows`
// lines in a monospace font, 8 pixels a column and 14 a line.
class ScreenPreview : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kColumnWidth = 8;
    static constexpr int kLineHeight = 14;

    explicit ScreenPreview(QWidget *parent = nullptr);

    void setBoardSize(int columns, int rows);
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    void setLines(const QStringList &lines);
    void clear() { setLines({}); }
    // The lines as shown, cut to the board size.
    QStringList shownLines() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList m_lines;
    int m_columns = 20;
    int m_rows = 10;
};
