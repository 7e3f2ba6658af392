// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/loadissue.h"

#include "core/util/textids.h"

#include <algorithm>

int issueTextId(int code)
{
    switch (code) {
    case IssueCode::NumberOutOfRange: return Txt::IssueNumberRange;
    case IssueCode::DuplicateNumber: return Txt::IssueDuplicateNumber;
    case IssueCode::NameTooLong: return Txt::IssueNameTooLong;
    case IssueCode::EmptySequence: return Txt::IssueEmptySequence;
    case IssueCode::ShortLine: return Txt::IssueShortLine;
    case IssueCode::MissingEntry: return Txt::IssueMissingEntry;
    case IssueCode::DuplicateTitle: return Txt::IssueDuplicateTitle;
    case IssueCode::RefrainMissing: return Txt::IssueMissingRefrain;
    case IssueCode::UndecodableName: return Txt::IssueUndecodableName;
    case IssueCode::OutsideGroups: return Txt::IssueOutsideGroups;
    case IssueCode::CaseTwin: return Txt::IssueCaseTwin;
    default: return Txt::IssueOther;
    }
}

void IssueList::removeFileType(int fileTypeBits)
{
    m_issues.removeIf([fileTypeBits](const LoadIssue &issue) { return (issue.fileType & fileTypeBits) != 0; });
}

void IssueList::removeCodes(std::initializer_list<int> codes, int fileTypeBits)
{
    m_issues.removeIf([&](const LoadIssue &issue) {
        return (issue.fileType & fileTypeBits) != 0 && std::find(codes.begin(), codes.end(), issue.code) != codes.end();
    });
}
