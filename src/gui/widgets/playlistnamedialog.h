// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/widgets/namedialog.h"

// Asks for a playlist's new title (without number and extension).
class PlaylistNameDialog : public NameDialog
{
    Q_OBJECT
public:
    explicit PlaylistNameDialog(const QString &title, QWidget *parent = nullptr);

    QString title() const { return name(); }

public slots:
    void accept() override;
};
