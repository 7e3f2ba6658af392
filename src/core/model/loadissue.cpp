// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/loadissue.h"

int issueTextId(int code)
{
    switch (code) {
    case IssueCode::NumberOutOfRange: return 193;
    case IssueCode::DuplicateNumber: return 194;
    case IssueCode::NameTooLong: return 495;
    case IssueCode::EmptySequence: return 411;
    case IssueCode::ShortLine: return 493;
    case IssueCode::MissingEntry: return 413;
    case IssueCode::DuplicateTitle: return 516;
    case IssueCode::RefrainMissing: return 526;
    default: return 494;
    }
}

void IssueList::removeFileType(int fileTypeBits)
{
    m_issues.removeIf([fileTypeBits](const LoadIssue &issue) { return (issue.fileType & fileTypeBits) != 0; });
}
