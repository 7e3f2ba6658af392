// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardcopy.h"

#include "core/card/cardnamefindings.h"
#include "core/util/directorylisting.h"
#include "core/util/fileutils.h"
#include "core/util/textids.h"
#include "core/util/posixfile.h"
#include "core/util/replacingfile.h"
#include "core/library/librarynaming.h"
#include "core/model/itemname.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

constexpr qint64 kCompareChunk = 64 * 1024;

const QString kPlaylistDir = QString::fromUtf16(LibraryNaming::kPlaylistDirName);
const QString kScreenDir = QString::fromUtf16(LibraryNaming::kSlideDirName);

QStringList subdirectories(const QString &dir)
{
    return listDirectory(dir).directories;
}

bool sameDirectory(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

int directoryCategory(const QString &directory)
{
    return directory == kPlaylistDir ? CardPlaylists : directory == kScreenDir ? CardSlides : CardSongs;
}

// Anything that is neither a playlist nor a slide counts as a song, as in a change record.
int fileCategory(const QString &name)
{
    const std::optional<ItemKind> kind = ItemName::kindOf(name);
    return kind == ItemKind::Playlist ? CardPlaylists : kind == ItemKind::Slide ? CardSlides : CardSongs;
}

// The files a copy takes from dir: of the given categories, or of one kind only. Pipes, devices
// and sockets are listed too, so that the copy can name what it skips; names that are not UTF-8
// come apart, as no path of text reaches them.
struct CopyFiles
{
    QStringList names;
    QList<QByteArray> undecodable;
};

CopyFiles plainFiles(const QString &dir, int categories = CardAllCategories, std::optional<ItemKind> only = {})
{
    const DirectoryListing listing = listDirectory(dir);
    CopyFiles files{listing.files, {}};
    if (!listing.specials.isEmpty()) {
        files.names += listing.specials;
        std::sort(files.names.begin(), files.names.end(),
                  [](const QString &a, const QString &b) { return a.compare(b) < 0; });
    }
    const auto wanted = [categories, only](const QString &name) {
        if (only)
            return ItemName::hasExtension(name, *only);
        return categories == CardAllCategories || (fileCategory(name) & categories) != 0;
    };
    if (only || categories != CardAllCategories)
        files.names.removeIf([&wanted](const QString &name) { return !wanted(name); });
    for (const DirectoryListing::RawName &raw : listing.undecodable) {
        // The extension is ASCII whatever the rest of the name holds.
        if (!raw.directory && wanted(QString::fromLatin1(raw.name)))
            files.undecodable.append(raw.name);
    }
    return files;
}

bool isRegularFile(const QString &path)
{
    struct stat st;
    return lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isDiskFull(int error)
{
    return error == ENOSPC || error == EDQUOT;
}

} // namespace

CardChangeRecord CardChangeRecord::fromPath(const QString &targetFile, int change)
{
    CardChangeRecord record;
    const QString name = QFileInfo(targetFile).fileName();
    record.number = ItemName::number(name);
    record.title = ItemName::titleOfFileName(name);
    const std::optional<ItemKind> kind = ItemName::kindOf(name);
    record.kind = kind == ItemKind::Playlist ? Playlist : kind == ItemKind::Slide ? Slide : Song;
    record.change = change;
    return record;
}

FileComparison compareFiles(const QString &first, const QString &second)
{
    const PosixFile a(first);
    const PosixFile b(second);
    if (a.regularFileSize() < 0 || b.regularFileSize() < 0)
        return FileComparison::Unreadable;
    if (a.regularFileSize() != b.regularFileSize())
        return FileComparison::Differ;
    QByteArray bufferA(kCompareChunk, Qt::Uninitialized);
    QByteArray bufferB(kCompareChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 gotA = a.readFull(bufferA.data(), kCompareChunk);
        const qint64 gotB = b.readFull(bufferB.data(), kCompareChunk);
        if (gotA < 0 || gotB < 0)
            return FileComparison::Unreadable;
        if (gotA != gotB || memcmp(bufferA.constData(), bufferB.constData(), size_t(gotA)) != 0)
            return FileComparison::Differ;
        if (gotA == 0)
            return FileComparison::Same;
    }
}

CardFileAction decideCardFile(const QString &from, const QString &to, CardCopyMode mode)
{
    if (!isRegularFile(from))
        return CardFileAction::SourceUnreadable;
    struct stat target;
    if (lstat(QFile::encodeName(to).constData(), &target) != 0) {
        if (errno == ENOENT || mode == CardCopyMode::Overwrite)
            return CardFileAction::New;
        return errno == ENOTDIR ? CardFileAction::TargetBlocked : CardFileAction::TargetUnreadable;
    }
    if (S_ISDIR(target.st_mode))
        return CardFileAction::TargetBlocked;
    // A link in place of a file is replaced by the file, never followed.
    if (mode == CardCopyMode::Overwrite || S_ISLNK(target.st_mode))
        return CardFileAction::Replace;
    if (!S_ISREG(target.st_mode))
        return CardFileAction::TargetUnreadable;
    switch (compareFiles(from, to)) {
    case FileComparison::Same:
        return CardFileAction::Same;
    case FileComparison::Differ:
        return CardFileAction::Replace;
    case FileComparison::Unreadable:
        break;
    }
    return PosixFile(from).regularFileSize() < 0 ? CardFileAction::SourceUnreadable : CardFileAction::TargetUnreadable;
}

CardImageCount countCardImage(const QString &image, int categories)
{
    CardImageCount count;
    const QStringList directories = subdirectories(image);
    if (directories.isEmpty()) {
        count.files = int(plainFiles(image, categories).names.size());
        return count;
    }
    for (const QString &directory : directories) {
        if (!(directoryCategory(directory) & categories))
            continue;
        ++count.directories;
        count.files += int(plainFiles(image + u'/' + directory).names.size());
    }
    return count;
}

void CardCopier::notHandled(const QString &shownPrefix, const QList<QByteArray> &undecodable)
{
    for (const QByteArray &name : undecodable) {
        m_failures.append(undecodableNameFinding(shownPrefix, name));
        ++m_notCopied;
    }
}

// With folders in source, the files lying in source itself are left out: said for library files.
void CardCopier::noteRoot(const DirectoryListing &root)
{
    const auto leftOut = [this](const QString &name) {
        return ItemName::isItemFileName(name) && (fileCategory(name) & m_categories);
    };
    QList<QByteArray> undecodable;
    for (const DirectoryListing::RawName &raw : root.undecodable) {
        if (raw.directory || leftOut(QString::fromLatin1(raw.name)))
            undecodable.append(raw.name);
    }
    notHandled(QString(), undecodable);
    for (const QString &name : root.files) {
        if (leftOut(name))
            m_failures.append(outsideGroupsFinding(name));
    }
}

void CardCopier::copyTree(const QString &source, const QString &target, CardCopyMode mode)
{
    const DirectoryListing root = listDirectory(source);
    const QStringList &directories = root.directories;
    if (!root.hasDirectories()) {
        copyFiles(source, target, QString(), mode, std::nullopt, m_categories);
        return;
    }
    noteRoot(root);
    for (const QString &directory : directories) {
        if (m_progress.stopRequested())
            return;
        if (!(directoryCategory(directory) & m_categories))
            continue;
        if (m_diskFull) {
            m_notCopied += int(plainFiles(source + u'/' + directory).names.size());
            continue;
        }
        const QString targetDir = target + u'/' + directory;
        const QFileInfo targetInfo(targetDir);
        if (dryRun()) {
            const bool exists = targetInfo.isDir() && !targetInfo.isSymLink();
            m_dryRun.directory(directory, exists);
            if (!exists && (targetInfo.exists() || targetInfo.isSymLink())) {
                const CopyFiles files = plainFiles(source + u'/' + directory);
                notHandled(directory + u'/', files.undecodable);
                for (const QString &name : files.names)
                    m_dryRun.file(source + u'/' + directory + u'/' + name, targetDir + u'/' + name,
                                  CardFileAction::TargetBlocked);
                continue;
            }
            m_progress.directory(directory);
            copyFiles(source + u'/' + directory, targetDir, directory + u'/', mode);
            continue;
        }
        // A link in the card would take the copies somewhere else.
        errno = 0;
        if (targetInfo.isSymLink() || (!targetInfo.isDir() && !QDir().mkdir(targetDir))) {
            m_diskFull = !targetInfo.isSymLink() && isDiskFull(errno);
            if (!m_diskFull)
                m_failures.append({Txt::CardFileNotWritten, directory});
            m_notCopied += int(plainFiles(source + u'/' + directory).names.size());
            continue;
        }
        m_progress.directory(directory);
        copyFiles(source + u'/' + directory, targetDir, directory + u'/', mode);
    }
}

void CardCopier::copyFiles(const QString &sourceDir, const QString &targetDir, const QString &shownPrefix,
                           CardCopyMode mode, std::optional<ItemKind> only, int categories)
{
    const CopyFiles files = plainFiles(sourceDir, categories, only);
    notHandled(shownPrefix, files.undecodable);
    const QStringList &names = files.names;
    const bool onItself = sameDirectory(sourceDir, targetDir);
    const int count = int(names.size());
    for (int i = 0; i < count; ++i) {
        if (m_progress.stopRequested())
            return;
        if (m_diskFull) {
            m_notCopied += count - i;
            return;
        }
        const QString &name = names.at(i);
        m_progress.file(name, i, count);
        if (!onItself)
            copyFile(sourceDir + u'/' + name, targetDir + u'/' + name, shownPrefix + name, mode);
        else if (dryRun())
            m_dryRun.file(sourceDir + u'/' + name, targetDir + u'/' + name, CardFileAction::Same);
        m_progress.counter(++m_counter);
    }
}

void CardCopier::copyFile(const QString &from, const QString &to, const QString &shownName, CardCopyMode mode)
{
    const CardFileAction action = decideCardFile(from, to, mode);
    if (dryRun()) {
        m_dryRun.file(from, to, action);
        return;
    }
    switch (action) {
    case CardFileAction::Same:
        return;
    case CardFileAction::SourceUnreadable:
        if (!isRegularFile(from)) {
            m_failures.append({Txt::CardNotRegularFile, shownName});
            return;
        }
        m_failures.append({Txt::CardFileNotRead, shownName});
        ++m_notCopied;
        return;
    case CardFileAction::TargetUnreadable:
        // What cannot be compared is neither kept as identical nor overwritten unseen.
        m_failures.append({Txt::CardFileNotRead, shownName});
        ++m_notCopied;
        return;
    case CardFileAction::TargetBlocked:
        m_failures.append({Txt::CardFileNotWritten, shownName});
        ++m_notCopied;
        return;
    case CardFileAction::New:
    case CardFileAction::Replace:
        break;
    }
    int error = 0;
    if (!copyFileReplacing(from, to, &error)) {
        ++m_notCopied;
        m_diskFull = isDiskFull(error);
        if (!m_diskFull)
            m_failures.append({Txt::CardFileNotWritten, shownName});
        return;
    }
    if (mode == CardCopyMode::AddMissing)
        m_changes.append(CardChangeRecord::fromPath(
            to, action == CardFileAction::New ? CardChangeRecord::New : CardChangeRecord::Replaced));
}

CardFindings CardCopier::failures() const
{
    CardFindings all = m_failures;
    if (m_diskFull)
        all.append({Txt::CardCopyNoSpace, QString::number(m_notCopied)});
    return all;
}

bool CardCopier::clearTree(const QString &path, QString *failed)
{
    return deleteTree(withoutTrailingSlash(path), m_progress, failed);
}

void CardCopier::restoreCard(const QString &card, const QString &songDir, const QString &playlistDir,
                             const QString &slideDir)
{
    QDir().mkpath(songDir);
    if (!subdirectories(card).isEmpty()) {
        copyTree(card, songDir, CardCopyMode::Overwrite);
        moveListDirectory(songDir, kPlaylistDir, playlistDir);
        moveListDirectory(songDir, kScreenDir, slideDir);
        return;
    }
    const QString ungrouped = songDir + u'/' + kUngroupedDirectory;
    QDir().mkpath(ungrouped);
    QDir().mkpath(playlistDir);
    QDir().mkpath(slideDir);
    m_progress.directory(kUngroupedDirectory);
    copyFiles(card, ungrouped, kUngroupedDirectory + u'/', CardCopyMode::Overwrite, ItemKind::Song);
    copyFiles(card, playlistDir, kPlaylistDir + u'/', CardCopyMode::Overwrite, ItemKind::Playlist);
    copyFiles(card, slideDir, kScreenDir + u'/', CardCopyMode::Overwrite, ItemKind::Slide);
}

// The layered copy brought "playlist_dir" and "screen_dir" below the song directory; their files
// move on to the library's own directories, so that no stray list folder stays among the groups.
// When the library keeps its lists right there (the card layout) there is nothing to move.
void CardCopier::moveListDirectory(const QString &songDir, const QString &name, const QString &targetDir)
{
    const QString copied = songDir + u'/' + name;
    const QFileInfo info(copied);
    if (m_progress.stopRequested() || !info.isDir() || info.isSymLink() || sameDirectory(copied, targetDir))
        return;
    QDir().mkpath(targetDir);
    const int notCopiedBefore = m_notCopied;
    const qsizetype failuresBefore = m_failures.size();
    copyTree(copied, targetDir, CardCopyMode::Overwrite);
    // Only a complete copy lets the originals go; otherwise they stay where they are.
    if (m_failures.size() == failuresBefore && m_notCopied == notCopiedBefore && !m_diskFull
        && !m_progress.stopRequested() && deleteTree(copied))
        QDir().rmdir(copied);
}
