// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/loadissue.h"

#include <QList>
#include <QSet>
#include <QString>

// One line of the issue window or of the command line's issue list.
struct IssueRow
{
    int number = 0;
    IssueCode code = IssueCode::NumberOutOfRange;
    int textId = 0;   // language text of the issue code
    QString location; // LoadIssue::location(): what the row shows in its file column
    QString group;    // where the file is, for opening it
    QString file;
    IssueFileType fileType = IssueFileType::Song; // chooses the row's image
    int band = 0;                                 // 0 or 1: changes whenever the number differs from the row before
    QByteArray rawPath = {}; // a name that is not UTF-8, as the file system holds it (LoadIssue::rawPath)
};

// The row of one issue, band 0.
IssueRow issueRow(const LoadIssue &issue);

// The issues ordered by number (as integers; equal numbers keep the order they were met in),
// each with its band, so that all rows of one number share a colour.
QList<IssueRow> issueRows(const IssueList &issues);

// The issues that still hold once the named files (LoadIssue::location(group, file)) are deleted: their own issues go, and so does a duplicate-number issue whose number no
// other remaining file shares (every file of a duplicated number carries one).
IssueList issuesWithout(const IssueList &issues, const QSet<QString> &deletedNames);

// Whether after holds an issue that before does not: a file newly in trouble, or a file whose
// trouble changed. The same issues in another order are nothing new.
bool hasNewIssue(const IssueList &before, const IssueList &after);
