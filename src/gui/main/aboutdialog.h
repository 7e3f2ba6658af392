// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class CLinkStatic;

// "O programie": name, version, what the program is for, and a link to its data folder.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    CLinkStatic *dataFolderLink() const { return m_link; }

private:
    CLinkStatic *m_link;
};
