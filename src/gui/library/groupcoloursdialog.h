// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/songgroup.h"

#include <QDialog>

#include <functional>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Edits the group colour list in place; OK saves it, Cancel (or closing the window) gives the
// list back as it was when the dialog opened.
class GroupColoursDialog : public QDialog
{
    Q_OBJECT
public:
    GroupColoursDialog(SongGroupList &groups, const QStringList &groupNames, std::function<bool()> save,
                       QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }
    void addGroup();
    void editGroup(int row);
    void deleteSelected();

public slots:
    void accept() override;
    void reject() override;

private:
    void refill(int select);
    // "Dodaj grupę" only below the store's limit, "Usuń grupę" only with a row chosen.
    void updateButtons();

    SongGroupList &m_groups;
    const SongGroupList m_before;
    QStringList m_groupNames;
    std::function<bool()> m_save;
    QTreeWidget *m_list;
    QPushButton *m_add;
    QPushButton *m_delete;
};
