// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class IssueList;
class QTableWidget;

// The issue window: the issues of the last library scan, ordered by number, rows of one number
// in one colour band. It stays open beside the main window.
class IssueWindow : public QWidget
{
    Q_OBJECT
public:
    static const QColor kYellow;
    static const QColor kGreen;

    explicit IssueWindow(QWidget *parent = nullptr);

    void fill(const IssueList &issues);
    // Refills, shows the window and brings it to the front.
    void showIssues(const IssueList &issues);
    QTableWidget *list() const { return m_list; }

private:
    QTableWidget *m_list;
    bool m_placed = false;
};
