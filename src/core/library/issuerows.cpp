// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/issuerows.h"

#include <QHash>

#include <algorithm>

IssueRow issueRow(const LoadIssue &issue)
{
    return {issue.number,     issue.code,  issueTextId(issue.code),
            issue.location(), issue.group, issue.file,
            issue.fileType,   0,           issue.rawPath};
}

QList<IssueRow> issueRows(const IssueList &issues)
{
    QList<IssueRow> rows;
    rows.reserve(issues.size());
    for (const LoadIssue &issue : issues)
        rows.append(issueRow(issue));
    std::stable_sort(rows.begin(), rows.end(),
                     [](const IssueRow &a, const IssueRow &b) { return a.number < b.number; });
    int band = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (i > 0 && rows[i].number != rows[i - 1].number)
            band ^= 1;
        rows[i].band = band;
    }
    return rows;
}

IssueList issuesWithout(const IssueList &issues, const QSet<QString> &deletedNames)
{
    const auto duplicateKey = [](const LoadIssue &issue) {
        return qint64(issue.fileType) << 32 | quint32(issue.number);
    };
    QList<LoadIssue> kept;
    QHash<qint64, int> duplicates;
    for (const LoadIssue &issue : issues) {
        if (deletedNames.contains(issue.location()))
            continue;
        kept.append(issue);
        if (issue.code == IssueCode::DuplicateNumber)
            ++duplicates[duplicateKey(issue)];
    }
    IssueList result;
    for (const LoadIssue &issue : std::as_const(kept)) {
        if (issue.code != IssueCode::DuplicateNumber || duplicates.value(duplicateKey(issue)) > 1)
            result.append(issue);
    }
    return result;
}

bool hasNewIssue(const IssueList &before, const IssueList &after)
{
    // Keyed by everything an issue says, so that a long list of an untidy card is compared in one pass.
    const auto key = [](const LoadIssue &issue) -> QString {
        return QString::number(int(issue.code)) + u'|' + QString::number(issue.number) + u'|'
            + QString::number(int(issue.fileType)) + u'|' + issue.location() + u'|'
            + QString::fromLatin1(issue.rawPath.toHex());
    };
    QSet<QString> known;
    for (const LoadIssue &issue : before)
        known.insert(key(issue));
    return std::any_of(after.begin(), after.end(), [&](const LoadIssue &issue) { return !known.contains(key(issue)); });
}
