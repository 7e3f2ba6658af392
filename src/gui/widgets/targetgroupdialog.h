// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;

// Chooses the group a song is saved into, from the card's groups; "New" creates another group
// directory on the card. OK returns the chosen name. The caller refreshes its tree when a group
// was created, whether the dialog ended with OK or Cancel.
class TargetGroupDialog : public QDialog
{
    Q_OBJECT
public:
    TargetGroupDialog(const QStringList &groups, const QString &currentGroup, const QString &root,
                      QWidget *parent = nullptr);

    QString group() const;
    bool groupCreated() const { return m_groupCreated; }
    QComboBox *groupList() const { return m_list; }
    QPushButton *newButton() const { return m_new; }

public slots:
    void accept() override;

private:
    void createGroup();

    QString m_root;
    QComboBox *m_list;
    QPushButton *m_new;
    bool m_groupCreated = false;
};
