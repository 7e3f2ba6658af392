// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/widgets/namedialog.h"

// Asks for the label a card gets when it is formatted; refuses what a FAT label cannot hold.
class CardLabelDialog : public NameDialog
{
    Q_OBJECT
public:
    // Starts with currentLabel when that is a valid label, else empty.
    explicit CardLabelDialog(const QString &currentLabel, QWidget *parent = nullptr);
    // The accepted label, upper-cased.
    QString label() const { return m_label; }

    void accept() override;

private:
    QString m_label;
};
