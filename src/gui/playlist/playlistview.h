// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTreeWidget>

// The entry list of the playlist page: takes library items and its own entries by drag and
// drop and draws the insertion mark above the entry at insertPosition (the count: below the last).
class PlaylistView : public QTreeWidget
{
    Q_OBJECT
public:
    static QString entryMimeType();

    explicit PlaylistView(QWidget *parent = nullptr);

    int insertPosition() const { return m_insertPosition; }
    void setInsertPosition(int position);
    // Where a drop at pos inserts: the upper half of the first entry is above it, the rest of an
    // entry below it, empty space below the last entry the end.
    int insertPositionAt(const QPoint &pos) const;

signals:
    void insertPositionChanged(int position);
    void entryDropped(int from, int insertPosition);
    // A library item ("/<group>/<file>" below the card root).
    void libraryItemDropped(const QString &relativePath);
    void deleteRequested();
    void menuRequested(const QPoint &globalPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool acceptsDrag(const QMimeData *data) const;

    int m_insertPosition = 0;
    int m_pressedRow = -1;
    QPoint m_pressPos;
};
