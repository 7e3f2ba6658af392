// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class CommandRegistry;
class QTreeWidget;

// "Skróty klawiszowe": every key of the window's commands, then the keys the song tree and the
// song editor's text answer, each beside what it does.
class ShortcutsDialog : public QDialog
{
    Q_OBJECT
public:
    ShortcutsDialog(const CommandRegistry &commands, QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }

private:
    void addRow(const QList<QKeySequence> &keys, const QString &what);

    QTreeWidget *m_list;
};
