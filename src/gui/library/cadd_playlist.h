// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/library/cnamedialog.h"

// Asks for a playlist's new title (without number and extension).
class CAdd_playlist : public CNameDialog
{
    Q_OBJECT
public:
    explicit CAdd_playlist(const QString &title, QWidget *parent = nullptr);

    QString title() const { return name(); }

public slots:
    void accept() override;
};
