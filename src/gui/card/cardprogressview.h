// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardplan.h"
#include "core/util/progress.h"

#include <functional>

class QBoxLayout;
class QLabel;
class QProgressBar;
class QTreeWidget;
class QWidget;

// The running work and its end: a heading, the plan of a write or append, the directory and
// file being handled and the bars. Its widgets sit in the wizard's own column (the plan takes
// the room the window has to spare), so this is a view of them rather than a widget.
class CardProgressView
{
public:
    // Creates the widgets as children of parent.
    explicit CardProgressView(QWidget *parent);
    void addTo(QBoxLayout *layout);
    // The heading; the directory and file lines are cleared.
    void setInfo(int textId);
    // The heading, directory and file lines cleared, the file bar empty.
    void clear();
    void setDirectoryText(const QString &text);
    // The overall bar counts to files (at least 1) from 0.
    void startOverall(int files);
    void showPlan(const CardPlan &plan);
    // ready: step 1; the file bar stands aside for an import and a plan shown.
    void showPage(int step, bool importing, bool busy, bool planShown);
    // base with the labels and bars following the work; pump lets events through.
    Progress progress(const Progress &base, const std::function<void()> &pump);

private:
    QLabel *m_infoLine;
    QTreeWidget *m_planList;
    QLabel *m_planSummary;
    QLabel *m_directoryText;
    QLabel *m_fileText;
    QProgressBar *m_fileProgress;
    QProgressBar *m_overallProgress;
};
