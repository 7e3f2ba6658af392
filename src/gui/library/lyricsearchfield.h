// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/search/lyricindex.h"

#include <QLineEdit>

class LyricHitModel;
class LyricIndexer;
class QLabel;
class QListView;
class QStackedWidget;

// The lyric search field over the library tree. While it holds a query, the hit list takes the
// tree's place in the panel's stack; Escape or an empty field gives the tree back untouched.
// Down and Up move in the list, Enter or a double click activates a hit.
class LyricSearchField : public QLineEdit
{
    Q_OBJECT
public:
    static constexpr int kShownHits = 100;

    // area holds tree; the hit list is added to it.
    LyricSearchField(const LyricIndexer *indexer, QStackedWidget *area, QWidget *tree, QWidget *parent = nullptr);

    QListView *hitList() const { return m_list; }
    LyricHitModel *hitModel() const { return m_model; }
    QLabel *statusLabel() const { return m_status; }
    // Searches the current text again (after the index changed).
    void updateHits();
    // Empties the field; the tree comes back.
    void leave();

signals:
    void hitActivated(const LyricHit &hit);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void activate(int row);
    void moveCurrent(int step);

    const LyricIndexer *m_indexer;
    QStackedWidget *m_area;
    QWidget *m_tree;
    QWidget *m_page;
    QListView *m_list;
    QLabel *m_status;
    LyricHitModel *m_model;
};
