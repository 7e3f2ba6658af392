// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class LibraryNumberTable;
class NumberMap;
class QDialogButtonBox;

// What the song and slide number dialogs share: a map over the caller's table with the given
// number preset as chosen (an open item keeps its own number, taken or not), the colour legend,
// OK and Cancel, the message for a click on a taken number, and the check that a number is
// chosen. A double-click on a free number is OK.
class NumberMapDialog : public QDialog
{
    Q_OBJECT
public:
    int number() const;
    NumberMap *map() const { return m_map; }

protected:
    // The map is taken over; the table must outlive the dialog.
    NumberMapDialog(NumberMap *map, const LibraryNumberTable &table, int number, int titleId, int noNumberId,
                    QWidget *parent);

    // The legend squares with their texts, for the subclass's layout.
    QWidget *legend() const { return m_legend; }
    QDialogButtonBox *buttons() const { return m_buttons; }
    // True when a number is chosen; otherwise the user is told so.
    bool numberChosenOrExplain();

private:
    QWidget *makeLegend();

    NumberMap *m_map;
    QWidget *m_legend;
    QDialogButtonBox *m_buttons;
    int m_noNumberId;
};
