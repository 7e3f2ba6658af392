// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/loadissue.h"

#include <QList>
#include <QSet>
#include <QString>

// One line of the issue window.
struct IssueRow
{
    int number = 0;
    int textId = 0;   // language text of the issue code
    QString name;
    int fileType = 0; // IssueFileType bit, chooses the row's image
    int band = 0;     // 0 or 1: changes whenever the number differs from the row before
    QByteArray rawPath = {}; // a name that is not UTF-8, as the file system holds it (LoadIssue::rawPath)
};

// The issues ordered by number (as integers; equal numbers keep the order they were met in),
// each with its band, so that all rows of one number share a colour.
QList<IssueRow> issueRows(const IssueList &issues);

// The issues that still hold once the named files ("group/file" for songs, as the issues name
// them) are deleted: their own issues go, and so does a duplicate-number issue whose number no
// other remaining file shares (every file of a duplicated number carries one).
IssueList issuesWithout(const IssueList &issues, const QSet<QString> &deletedNames);
