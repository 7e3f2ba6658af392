// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

// Asks for the name of a new group directory below baseDir; the caller creates it.
class CAddGroup : public QDialog
{
    Q_OBJECT
public:
    explicit CAddGroup(const QString &baseDir, QWidget *parent = nullptr);

    QString name() const;
    QLineEdit *edit() const { return m_edit; }

public slots:
    void accept() override;

private:
    QString m_baseDir;
    QLineEdit *m_edit;
};
