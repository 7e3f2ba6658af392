// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardcopy.h"

#include <QDialog>

class QTreeWidget;

// "Pozycje dodane do karty": the items an append added to a card or replaced on it, in the
// order they were copied: kind, number, title and change.
class AppendedFilesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AppendedFilesDialog(const QList<CardChangeRecord> &changes, QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }

private:
    QTreeWidget *m_list;
};
