// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/library/itemlisting.h"
#include "core/library/librarynaming.h"
#include "core/library/librarynumbertable.h"
#include "core/model/charsetmode.h"
#include "core/model/loadissue.h"
#include "core/util/progress.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

// One directory of the library: a song group, or "screen_dir" / "playlist_dir", with the names
// of its files without extension ("0007 Kyrie") in listing order.
struct SongGroupFiles
{
    QString name;
    QStringList files;
    // The extension as the file spells it, where that is not lower case ("0050 Upper" -> ".TXT").
    QHash<QString, QString> extensions = {};

    // The name of a listed file with its extension as it is on disk.
    QString fileName(const QString &file, ItemKind kind) const;
};

// What a scan reads and checks; the refresh commands pass 23 and 31.
enum class ScanFlag : int {
    Songs = 1,
    Slides = 2,
    Playlists = 4,
    LoadContents = 8,  // read every song file so that its issues are recorded
    CheckNumbers = 16, // refill the number tables and record number and title issues
};
Q_DECLARE_FLAGS(ScanFlags, ScanFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(ScanFlags)
inline constexpr ScanFlags kRefreshScan = ScanFlag::Songs | ScanFlag::Slides | ScanFlag::Playlists
    | ScanFlag::CheckNumbers;
inline constexpr ScanFlags kFullRefreshScan = kRefreshScan | ScanFlag::LoadContents;

struct ScanOptions
{
    // Creates "screen_dir" and "playlist_dir" when missing.
    bool createDirectories = true;
    // Lets the song reader rewrite a file whose screen lines held tabs.
    bool rewriteTabs = true;
    // The board charset of the program's language, in which playlist titles are read first.
    CharsetMode charset = CharsetMode::Latin;
    // Threads that read the songs and slides ahead of the scan; 0 takes OrderedWorkers::defaultCount(),
    // 1 reads everything on the calling thread.
    int workers = 0;

    // For callers that must leave the card as it is (checks, the command line).
    static ScanOptions readOnly(CharsetMode charset = CharsetMode::Latin) { return ScanOptions{false, false, charset}; }
};

// The library of one card root as the last scan found it: the group directories and their
// songs, the slides, the playlists, the number tables and the issues met.
class OrderedWorkers;
struct ScannedFile;

class SongLibrary
{
public:
    SongLibrary();

    // The card root, always ending with "/".
    QString root() const { return m_root; }
    void setRoot(const QString &root);

    // Scans the root (see ScanFlags). Answers true when the issue list is not empty afterwards.
    // A root that does not exist empties the library and answers false. Progress reports each
    // group (and list directory) and each file before it is handled.
    bool scanLibrary(ScanFlags flags, const Progress &progress = {}, const ScanOptions &options = {});
    // Makes a running scan end before its next group or file.
    void requestStop() { m_stopRequested = true; }
    bool stopRequested() const { return m_stopRequested; }

    int songCount() const { return m_songCount; }
    int slideCount() const { return m_slideCount; }
    int playlistCount() const { return m_playlistCount; }

    QList<SongGroupFiles> &groups() { return m_groups; }
    const QList<SongGroupFiles> &groups() const { return m_groups; }
    QList<SongGroupFiles> &slideLists() { return m_slideLists; }
    const QList<SongGroupFiles> &slideLists() const { return m_slideLists; }
    QList<SongGroupFiles> &playlistLists() { return m_playlistLists; }
    const QList<SongGroupFiles> &playlistLists() const { return m_playlistLists; }

    LibraryNumberTable &numbers(ItemKind kind);
    const LibraryNumberTable &numbers(ItemKind kind) const;
    // The first free number from `from` upwards in a kind's table; 0 when the table is full.
    int findFreeNumber(ItemKind kind, int from = 1) const { return numbers(kind).findFree(from); }

    IssueList &issues() { return m_issues; }
    const IssueList &issues() const { return m_issues; }

    // Forgets a file that was deleted: removes the name from its list (the group's for songs)
    // and lowers the kind's count. False when the name is not listed.
    bool forgetFile(ItemKind kind, const QString &group, const QString &name);

    // Full paths of a file named in a list ("0007 Kyrie" without extension), with its extension
    // as the file spells it.
    QString songPath(const QString &group, const QString &name) const;
    QString slidePath(const QString &name) const;
    QString playlistPath(const QString &name) const;

private:
    bool shouldStop(const Progress &progress) const;
    // False when the scan is to stop; otherwise reports the file about to be handled.
    bool startFile(const Progress &progress, const QString &name, int index, int count) const;
    // Records the files of a listed directory that the library cannot take: names that are not
    // UTF-8 and twins that differ only in the case of their extension.
    void reportUnlisted(const QString &directory, const ItemListing &listing, ItemKind kind);
    // Records what lies in the root of a card with folders: library files the board does not
    // show, and folders whose names are not UTF-8.
    void reportRoot(const DirectoryListing &root);
    // Resets the slides' or the playlists' single list and count and lists their directory.
    QStringList listSingleDirectory(ItemKind kind, bool checkNumbers, const Progress &progress);
    void clearContent();
    // Reads the files of a directory on the workers; take() gets each on this thread in listing
    // order, after startFile(). False when the scan is to stop.
    bool readFiles(OrderedWorkers &workers, const QString &directoryPath, const SongGroupFiles &listed,
                   const QStringList &names, ItemKind kind, const Progress &progress,
                   const std::function<void(int, ScannedFile &)> &take) const;
    // Takes over what a worker read: its issues, and the tab rewrite that it left to this thread.
    void takeRead(ScannedFile &read, bool recordIssues, const ScanOptions &options, const QString &group);
    void scanSongs(OrderedWorkers &workers, const QStringList &directories, ScanFlags flags, bool checkNumbers,
                   const Progress &progress, const ScanOptions &options);
    void scanSlides(OrderedWorkers &workers, ScanFlags flags, bool checkNumbers, const Progress &progress,
                    const ScanOptions &options);
    // Lists the playlists and, when numbers are checked, reads each on the workers for its missing entries.
    void scanPlaylists(OrderedWorkers &workers, bool checkNumbers, const Progress &progress,
                       const ScanOptions &options);
    // Number rule: an entry for a valid number (issue 1 for a later file with it), issue 0 otherwise.
    void checkNumber(ItemKind kind, int number, const QString &directory, const QString &name, int indexInGroup,
                     int groupIndex);
    // Issue 1 once more for the owner of every number met twice.
    void reportDuplicateOwners(ItemKind kind);

    QString m_root;
    int m_songCount = 0;
    int m_slideCount = 0;
    int m_playlistCount = 0;
    QList<SongGroupFiles> m_groups;
    QList<SongGroupFiles> m_slideLists;
    QList<SongGroupFiles> m_playlistLists;
    LibraryNumberTable m_songNumbers;
    LibraryNumberTable m_slideNumbers;
    LibraryNumberTable m_playlistNumbers;
    IssueList m_issues;
    // Lower-case titles of the songs met in the current scan.
    QSet<QString> m_titles;
    std::atomic_bool m_stopRequested = false;
};
