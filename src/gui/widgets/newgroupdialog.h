// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/widgets/namedialog.h"

// Asks for the name of a new group directory below baseDir; the caller creates it.
class NewGroupDialog : public NameDialog
{
    Q_OBJECT
public:
    explicit NewGroupDialog(const QString &baseDir, QWidget *parent = nullptr);

public slots:
    void accept() override;

private:
    QString m_baseDir;
};
