// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/songgroup.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Edits one entry of the group colour list: a name (from the card's groups or typed), a colour
// and a number range.
class GroupEditDialog : public QDialog
{
    Q_OBJECT
public:
    GroupEditDialog(const SongGroup &group, const QStringList &groupNames, QWidget *parent = nullptr);

    SongGroup group() const { return m_group; }

    QComboBox *nameList() const { return m_list; }
    QRadioButton *fromListRadio() const { return m_fromList; }
    QRadioButton *manualRadio() const { return m_manual; }
    QLineEdit *fromEdit() const { return m_from; }
    QLineEdit *toEdit() const { return m_to; }
    QPushButton *colourButton() const { return m_colourButton; }
    void setColour(quint32 rgb);

public slots:
    void accept() override;

private:
    void applyMode();

    SongGroup m_group;
    QRadioButton *m_fromList;
    QRadioButton *m_manual;
    QComboBox *m_list;
    QLineEdit *m_edit;
    QPushButton *m_colourButton;
    QLineEdit *m_from;
    QLineEdit *m_to;
};
