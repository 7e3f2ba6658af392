// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Findings met while files are read and the library is scanned; none of them stops a load.
namespace IssueCode {
enum : int {
    NumberOutOfRange = 0, // library scan
    DuplicateNumber = 1,  // library scan
    NameTooLong = 2,      // song reader: file name over 39 characters
    EmptySequence = 3,    // song reader: "#k" line without entries
    ShortLine = 4,        // song reader: screen line under 20 characters (padded)
    MissingEntry = 5,     // playlist reader: song or slide not found
    DuplicateTitle = 6,   // library scan
    RefrainMissing = 7,   // song reader: sequence names the refrain, file has none
    LimitExceeded = 8,    // song reader: stanzas or screens beyond the editor's limits were dropped
    UndecodableName = 9,  // library scan: a name that is not valid UTF-8 (rawPath holds it)
    OutsideGroups = 10,   // library scan: a library file in the root of a card with folders
    CaseTwin = 11,        // library scan: a name another file of the folder has but for its extension's case
};
}

// Bit values: which kind of file an issue concerns.
namespace IssueFileType {
enum : int { Song = 1, Slide = 2, Playlist = 4 };
}

struct LoadIssue
{
    int number = 0;   // the song, slide or playlist number concerned
    int code = 0;     // IssueCode
    QString name;     // file name without directory and extension ("group/file" for scan issues)
    int fileType = 0; // IssueFileType bit
    // For a name that is not valid UTF-8: its path below the card root as the file system
    // holds it (name shows it escaped).
    QByteArray rawPath = {};

    bool operator==(const LoadIssue &) const = default;
};

// The language text that describes an issue code in the issue window.
int issueTextId(int code);

// Issues in the order they were met.
class IssueList
{
public:
    void append(const LoadIssue &issue) { m_issues.append(issue); }
    void append(int number, int code, const QString &name, int fileType)
    {
        m_issues.append(LoadIssue{number, code, name, fileType});
    }
    // Drops every issue whose file type has one of the given bits.
    void removeFileType(int fileTypeBits);
    // Drops every issue of one of the given codes whose file type has one of the given bits.
    void removeCodes(std::initializer_list<int> codes, int fileTypeBits);
    void reset() { m_issues.clear(); }

    qsizetype size() const { return m_issues.size(); }
    bool isEmpty() const { return m_issues.isEmpty(); }
    const LoadIssue &at(qsizetype i) const { return m_issues.at(i); }
    const QList<LoadIssue> &issues() const { return m_issues; }
    QList<LoadIssue>::const_iterator begin() const { return m_issues.cbegin(); }
    QList<LoadIssue>::const_iterator end() const { return m_issues.cend(); }

private:
    QList<LoadIssue> m_issues;
};
