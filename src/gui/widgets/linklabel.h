// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A clickable text: the label's own font underlined, blue, transparent background, hand pointer.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(const QString &text = {}, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
