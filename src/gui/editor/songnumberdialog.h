// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/editor/numbermapdialog.h"

#include <QStringList>

class QScrollBar;
class RowLabels;
class SongNumberMap;

// The song number map: 25 rows of 40 numbers at a time, a scroll bar over rows 0..100 and, to the
// left, the last number of each visible row. OK returns the chosen number.
class SongNumberDialog : public NumberMapDialog
{
    Q_OBJECT
public:
    SongNumberDialog(int number, const LibraryNumberTable &table, QWidget *parent = nullptr);

    QScrollBar *scrollBar() const { return m_scrollBar; }
    // The row labels as shown, top to bottom.
    QStringList rowLabels() const;

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showFromRow(int row);

    SongNumberMap *m_songMap;
    QScrollBar *m_scrollBar;
    RowLabels *m_rowLabels;
};
