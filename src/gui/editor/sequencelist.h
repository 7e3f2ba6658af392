// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

// The song's sequence as the editor shows it: one item per entry ("1", "2", "R" for the
// refrain). An item dragged onto another asks for a move; the list itself never reorders.
class SequenceList : public QListWidget
{
    Q_OBJECT
public:
    explicit SequenceList(QWidget *parent = nullptr);

    // Shows entries (RefrainMarker as "R"), selecting the row select (-1: none).
    void showEntries(const QList<int> &entries, int select = -1);
    static QString entryText(int entry);

signals:
    void entryClicked(int row);
    void entryDropped(int from, int to);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_pressedRow = -1;
    QPoint m_pressPos;
    bool m_dragging = false;
};
