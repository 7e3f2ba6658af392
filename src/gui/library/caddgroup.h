// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/library/cnamedialog.h"

// Asks for the name of a new group directory below baseDir; the caller creates it.
class CAddGroup : public CNameDialog
{
    Q_OBJECT
public:
    explicit CAddGroup(const QString &baseDir, QWidget *parent = nullptr);

public slots:
    void accept() override;

private:
    QString m_baseDir;
};
