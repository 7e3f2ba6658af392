// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class Song;
class SongEditorLink;

// A song as a tree of stanzas and screens; the extended view shows each screen's lines as the
// board would. Opened from the editor, a double click on a line takes the editor to that screen.
class SongStructureDialog : public QDialog
{
    Q_OBJECT
public:
    // Item data of every item: its stanza and (below a stanza) its screen, 0-based.
    static constexpr int kStanzaRole = Qt::UserRole;
    static constexpr int kScreenRole = Qt::UserRole + 1;

    // editor may be null (a view without an editor behind it): double clicks then do nothing.
    SongStructureDialog(const Song &song, SongEditorLink *editor, QWidget *parent = nullptr);

    void setExtended(bool extended);
    bool isExtended() const;
    QTreeWidget *tree() const { return m_tree; }

private:
    void rebuild();
    void openLine(QTreeWidgetItem *item);

    const Song &m_song;
    SongEditorLink *m_editor;
    QRadioButton *m_simple;
    QRadioButton *m_extended;
    QTreeWidget *m_tree;
};
