// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class LinkLabel;

// "O programie": name, version, what the program is for, and a link to its data folder.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    LinkLabel *dataFolderLink() const { return m_link; }

private:
    LinkLabel *m_link;
};
