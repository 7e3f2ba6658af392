// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/loadissue.h"

#include "core/util/textids.h"

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
    default: return Txt::IssueOther;
    }
}

void IssueList::removeFileType(int fileTypeBits)
{
    m_issues.removeIf([fileTypeBits](const LoadIssue &issue) { return (issue.fileType & fileTypeBits) != 0; });
}
