// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

// Asks for a playlist's new title (without number and extension).
class CAdd_playlist : public QDialog
{
    Q_OBJECT
public:
    explicit CAdd_playlist(const QString &title, QWidget *parent = nullptr);

    QString title() const;
    QLineEdit *edit() const { return m_edit; }

public slots:
    void accept() override;

private:
    QLineEdit *m_edit;
};
