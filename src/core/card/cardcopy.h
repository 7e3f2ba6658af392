// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardfinding.h"
#include "core/model/itemname.h"
#include "core/util/directorylisting.h"
#include "core/util/progress.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// How CopyTree treats files that already exist in the target.
enum class CardCopyMode : quint32 {
    Overwrite = 0,  // every file is copied and replaces an existing one
    AddMissing = 2, // only files that are new or whose contents differ are copied
};

// One item that an append added to a card or replaced on it.
struct CardChangeRecord
{
    enum Kind { Song = 0, Playlist = 1, Slide = 2 };
    enum Change { New = 0, Replaced = 1 };

    QString title;
    int kind = Song;
    int number = 0;
    int change = New;

    // Reads number, title and kind back from the target file's path ("…/0012 Ave.lst").
    static CardChangeRecord fromPath(const QString &targetFile, int change);
    friend bool operator==(const CardChangeRecord &, const CardChangeRecord &) = default;
};

enum class FileComparison { Same, Differ, Unreadable };

// Compares two files in fixed-size chunks, so memory stays bounded whatever their size;
// Unreadable when either is missing or cannot be opened.
FileComparison compareFiles(const QString &first, const QString &second);

// What a card copy does with one file of the image. The copier and the plan of a copy both
// decide through decideCardFile, so that the plan shows what the copy will do.
enum class CardFileAction {
    New,              // nothing at the target: copied
    Replace,          // the target differs or is a link: replaced
    Same,             // an append leaves an identical file alone
    SourceUnreadable, // the image's file is no regular file or cannot be read: skipped
    TargetUnreadable, // the card's file is no regular file or cannot be read: not touched
    TargetBlocked,    // a directory (or no directory) where the file goes: not copied
};
// Only regular files are ever opened (a pipe or a device could block or change). Overwrite
// copies without comparing; AddMissing compares contents, never sizes and times.
CardFileAction decideCardFile(const QString &from, const QString &to, CardCopyMode mode);

// The kinds of item a card copy takes: a group folder holds songs, "playlist_dir" playlists,
// "screen_dir" slides; in an image without subdirectories each file counts by its extension.
enum CardCategory : int { CardSongs = 1, CardPlaylists = 2, CardSlides = 4, CardAllCategories = 7 };

// What a card copy will visit: the subdirectories of the image and the files in them, or for
// an image without subdirectories the files in its root, of the given categories. Used for the
// progress ranges.
struct CardImageCount
{
    int directories = 0;
    int files = 0;
};
CardImageCount countCardImage(const QString &image, int categories = CardAllCategories);

// The file-level card operations, with the overall file counter, the list of changes an
// append made and the files that could not be copied. A failed copy does not stop the work:
// the next file is tried, except on a full disk, where the first "no space left" ends the copy
// and one finding counts the files not copied. Symbolic links are neither copied nor followed;
// pipes, devices and sockets are skipped and listed; a file is never copied onto itself.
class CardCopier
{
public:
    explicit CardCopier(const Progress &progress = {}) : m_progress(progress) {}

    // Limits copyTree to these CardCategory bits (all by default).
    void setCategories(int categories) { m_categories = categories; }

    // Turns copyTree into a dry run that writes nothing: each directory it would enter (with
    // whether it exists on the target) and each file with the action decided for it go to
    // these callbacks, in the order of the copy.
    struct Visit
    {
        std::function<void(const QString &directory, bool exists)> directory;
        std::function<void(const QString &from, const QString &to, CardFileAction action)> file;
    };
    void setDryRun(Visit visit) { m_dryRun = std::move(visit); }

    // The one-level tree copy. With subdirectories in source, each one is copied into a
    // directory of the same name below target and files lying in source itself are left
    // out; without subdirectories the files of source go into target itself.
    void copyTree(const QString &source, const QString &target, CardCopyMode mode);

    // Deletes everything below path (which stays); false when something could not be deleted
    // (*failed names the first such entry below path) or the stop flag ended it.
    bool clearTree(const QString &path, QString *failed = nullptr);

    // Reads a card back into a library: a layered card (the root has a subdirectory) is copied
    // group by group into songDir, its "playlist_dir" and "screen_dir" into playlistDir and
    // slideDir; a flat card's songs go into songDir/Nieokreslone, its playlists and slides into
    // their directories. Existing files are replaced.
    void restoreCard(const QString &card, const QString &songDir, const QString &playlistDir, const QString &slideDir);

    const QList<CardChangeRecord> &changes() const { return m_changes; }
    // The files not copied with their reasons; after a full disk, the last finding counts the
    // files that were not copied.
    CardFindings failures() const;
    // Files that should have been copied and were not (failed, or left after a full disk).
    int notCopied() const { return m_notCopied; }
    bool diskFull() const { return m_diskFull; }
    int counter() const { return m_counter; }
    bool stopped() const { return m_progress.stopRequested(); }

    static inline const QString kUngroupedDirectory = QStringLiteral("Nieokreslone");

private:
    // Copies the files of sourceDir (optionally only those of one kind) into targetDir.
    void copyFiles(const QString &sourceDir, const QString &targetDir, const QString &shownPrefix, CardCopyMode mode,
                   std::optional<ItemKind> only = {}, int categories = CardAllCategories);
    // Lists files whose names are not UTF-8 among the failures, each a file not copied.
    void notHandled(const QString &shownPrefix, const QList<QByteArray> &undecodable);
    void noteRoot(const DirectoryListing &root);
    void copyFile(const QString &from, const QString &to, const QString &shownName, CardCopyMode mode);
    void moveListDirectory(const QString &songDir, const QString &name, const QString &targetDir);

    bool dryRun() const { return bool(m_dryRun.file); }

    Progress m_progress;
    Visit m_dryRun;
    int m_categories = CardAllCategories;
    QList<CardChangeRecord> m_changes;
    CardFindings m_failures;
    int m_counter = 0;
    int m_notCopied = 0;
    bool m_diskFull = false;
};
