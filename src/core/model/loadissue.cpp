// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/loadissue.h"

#include "core/util/textids.h"

#include <algorithm>

QString LoadIssue::location(const QString &group, const QString &file)
{
    return group.isEmpty() ? file : group + u'/' + file;
}

int issueTextId(IssueCode code)
{
    switch (code) {
    case IssueCode::NumberOutOfRange:
        return Txt::IssueNumberRange;
    case IssueCode::DuplicateNumber:
        return Txt::IssueDuplicateNumber;
    case IssueCode::NameTooLong:
        return Txt::IssueNameTooLong;
    case IssueCode::EmptySequence:
        return Txt::IssueEmptySequence;
    case IssueCode::ShortLine:
        return Txt::IssueShortLine;
    case IssueCode::MissingEntry:
        return Txt::IssueMissingEntry;
    case IssueCode::DuplicateTitle:
        return Txt::IssueDuplicateTitle;
    case IssueCode::RefrainMissing:
        return Txt::IssueMissingRefrain;
    case IssueCode::LimitExceeded:
        return Txt::IssueLimitExceeded;
    case IssueCode::UndecodableName:
        return Txt::IssueUndecodableName;
    case IssueCode::OutsideGroups:
        return Txt::IssueOutsideGroups;
    case IssueCode::CaseTwin:
        return Txt::IssueCaseTwin;
    }
    return Txt::IssueOther;
}

void IssueList::removeFileType(IssueFileTypes fileTypes)
{
    m_issues.removeIf([fileTypes](const LoadIssue &issue) { return fileTypes.testFlag(issue.fileType); });
}

void IssueList::removeCodes(std::initializer_list<IssueCode> codes, IssueFileTypes fileTypes)
{
    m_issues.removeIf([&](const LoadIssue &issue) {
        return fileTypes.testFlag(issue.fileType) && std::find(codes.begin(), codes.end(), issue.code) != codes.end();
    });
}

void IssueList::setLocation(const QString &group, const QString &file)
{
    for (LoadIssue &issue : m_issues) {
        issue.group = group;
        issue.file = file;
    }
}
