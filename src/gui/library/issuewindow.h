// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/library/issuerows.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

// The issue window: the issues of the card library, ordered by number, rows of one number in
// one colour band. It belongs to the main window (stays in front of it), is refilled after
// every change of the library, and a double-click on a row asks for that file in the tree.
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

signals:
    // A row was double-clicked: where its file is.
    void fileActivated(IssueFileType fileType, const QString &group, const QString &file);
    // The user chose, and confirmed, a new name for a file whose name is not UTF-8.
    void renameRequested(const QByteArray &rawPath, const QString &newName);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The readings of the row's name offered as new names, under the given point.
    void offerRename(int row, const QPoint &globalPos);
    void updateRenameButton();

    QList<IssueRow> m_rows; // as the list shows them
    QTableWidget *m_list;
    QPushButton *m_rename;
    QLabel *m_emptyText;
    bool m_placed = false;
};
