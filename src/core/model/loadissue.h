// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFlags>
#include <QList>
#include <QString>

// Findings met while files are read and the library is scanned; none of them stops a load.
enum class IssueCode : int {
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
inline constexpr IssueCode kAllIssueCodes[] = {
    IssueCode::NumberOutOfRange, IssueCode::DuplicateNumber, IssueCode::NameTooLong,    IssueCode::EmptySequence,
    IssueCode::ShortLine,        IssueCode::MissingEntry,    IssueCode::DuplicateTitle, IssueCode::RefrainMissing,
    IssueCode::LimitExceeded,    IssueCode::UndecodableName, IssueCode::OutsideGroups,  IssueCode::CaseTwin,
};

// Which kind of file an issue concerns; the numbers are those the command line prints.
enum class IssueFileType : int { Song = 1, Slide = 2, Playlist = 4 };
Q_DECLARE_FLAGS(IssueFileTypes, IssueFileType)
Q_DECLARE_OPERATORS_FOR_FLAGS(IssueFileTypes)

struct LoadIssue
{
    int number = 0; // the song, slide or playlist number concerned
    IssueCode code = IssueCode::NumberOutOfRange;
    IssueFileType fileType = IssueFileType::Song;
    // The directory below the card root ("screen_dir" for slides); empty for a file in the root
    // or one read on its own.
    QString group;
    QString file; // file name without directory and extension
    // For a name that is not valid UTF-8: its path below the card root as the file system
    // holds it (file shows it escaped).
    QByteArray rawPath = {};

    // "group/file", or the file alone without a group: how the issue list and the command line name it.
    QString location() const { return location(group, file); }
    static QString location(const QString &group, const QString &file);

    bool operator==(const LoadIssue &) const = default;
};

// The language text that describes an issue code in the issue window.
int issueTextId(IssueCode code);

// Issues in the order they were met.
class IssueList
{
public:
    void append(const LoadIssue &issue) { m_issues.append(issue); }
    void append(int number, IssueCode code, IssueFileType fileType, const QString &group, const QString &file,
                const QByteArray &rawPath = {})
    {
        m_issues.append(LoadIssue{number, code, fileType, group, file, rawPath});
    }
    // Drops every issue of one of the given file types.
    void removeFileType(IssueFileTypes fileTypes);
    // Drops every issue of one of the given codes and file types.
    void removeCodes(std::initializer_list<IssueCode> codes, IssueFileTypes fileTypes);
    // A file read on its own knows no group, and a playlist names itself by its title: the scan
    // that read the file from its directory names where it is.
    void setLocation(const QString &group, const QString &file);
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
