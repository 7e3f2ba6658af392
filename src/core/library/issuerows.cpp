// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/issuerows.h"

#include <algorithm>

QList<IssueRow> issueRows(const IssueList &issues)
{
    QList<IssueRow> rows;
    rows.reserve(issues.size());
    for (const LoadIssue &issue : issues)
        rows.append({issue.number, issueTextId(issue.code), issue.name, issue.fileType, 0});
    std::stable_sort(rows.begin(), rows.end(), [](const IssueRow &a, const IssueRow &b) { return a.number < b.number; });
    int band = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (i > 0 && rows[i].number != rows[i - 1].number)
            band ^= 1;
        rows[i].band = band;
    }
    return rows;
}
