// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/librarysources.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;

// Chooses the group a song is saved into, from the card's groups; "New" creates another group
// directory on the card. OK returns the chosen name. The caller refreshes its tree when a group
// was created, whether the dialog ended with OK or Cancel. With offerLibraries it chooses the
// library too, its groups following the library chosen.
class TargetGroupDialog : public QDialog
{
    Q_OBJECT
public:
    TargetGroupDialog(const QStringList &groups, const QString &currentGroup, const QString &root,
                      QWidget *parent = nullptr);

    // Adds the choice of the library (chosen: preselected); the groups are then that library's.
    void offerLibraries(const QList<LibrarySource> &libraries, int chosen);
    // The chosen library's root.
    QString root() const { return m_root; }
    QComboBox *libraryList() const { return m_libraries; }
    QString group() const;
    bool groupCreated() const { return m_groupCreated; }
    QComboBox *groupList() const { return m_list; }
    QPushButton *newButton() const { return m_new; }

public slots:
    void accept() override;

private:
    void createGroup();

    void showGroupsOf(int library);

    QString m_root;
    QList<LibrarySource> m_offered;
    QComboBox *m_libraries = nullptr;
    QComboBox *m_list;
    QPushButton *m_new;
    bool m_groupCreated = false;
};
