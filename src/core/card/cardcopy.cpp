// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardcopy.h"

#include "core/util/fileutils.h"
#include "core/util/textids.h"
#include "core/util/posixfile.h"
#include "core/util/replacingfile.h"
#include "core/library/librarynaming.h"
#include "core/model/itemname.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

constexpr qint64 kCompareChunk = 64 * 1024;

const QString kPlaylistDir = QString::fromUtf16(LibraryNaming::kPlaylistDirName);
const QString kScreenDir = QString::fromUtf16(LibraryNaming::kSlideDirName);

QStringList subdirectories(const QString &dir)
{
    return sortedEntries(dir, QDir::Dirs | QDir::NoSymLinks);
}

// Pipes, devices and sockets are listed too, so that the copy can name what it skips.
QStringList plainFiles(const QString &dir, const QString &suffix = {})
{
    QStringList names = sortedEntries(dir, QDir::Files | QDir::System | QDir::NoSymLinks);
    if (!suffix.isEmpty())
        names.removeIf([&suffix](const QString &name) { return !name.endsWith(suffix); });
    return names;
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

QStringList filesOf(const QString &dir, int categories)
{
    QStringList names = plainFiles(dir);
    if (categories != CardAllCategories)
        names.removeIf([categories](const QString &name) { return !(fileCategory(name) & categories); });
    return names;
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

CardImageCount countCardImage(const QString &image, int categories)
{
    CardImageCount count;
    const QStringList directories = subdirectories(image);
    if (directories.isEmpty()) {
        count.files = int(filesOf(image, categories).size());
        return count;
    }
    for (const QString &directory : directories) {
        if (!(directoryCategory(directory) & categories))
            continue;
        ++count.directories;
        count.files += int(plainFiles(image + u'/' + directory).size());
    }
    return count;
}

void CardCopier::copyTree(const QString &source, const QString &target, CardCopyMode mode)
{
    const QStringList directories = subdirectories(source);
    if (directories.isEmpty()) {
        copyFiles(source, target, QString(), mode, QString(), m_categories);
        return;
    }
    for (const QString &directory : directories) {
        if (m_progress.stopRequested())
            return;
        if (!(directoryCategory(directory) & m_categories))
            continue;
        if (m_diskFull) {
            m_notCopied += int(plainFiles(source + u'/' + directory).size());
            continue;
        }
        const QString targetDir = target + u'/' + directory;
        const QFileInfo targetInfo(targetDir);
        // A link in the card would take the copies somewhere else.
        errno = 0;
        if (targetInfo.isSymLink() || (!targetInfo.isDir() && !QDir().mkdir(targetDir))) {
            m_diskFull = !targetInfo.isSymLink() && isDiskFull(errno);
            if (!m_diskFull)
                m_failures.append({Txt::CardFileNotWritten, directory});
            m_notCopied += int(plainFiles(source + u'/' + directory).size());
            continue;
        }
        m_progress.directory(directory);
        copyFiles(source + u'/' + directory, targetDir, directory + u'/', mode);
    }
}

void CardCopier::copyFiles(const QString &sourceDir, const QString &targetDir, const QString &shownPrefix,
                           CardCopyMode mode, const QString &suffix, int categories)
{
    const QStringList names = suffix.isEmpty() ? filesOf(sourceDir, categories) : plainFiles(sourceDir, suffix);
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
        m_progress.counter(++m_counter);
    }
}

void CardCopier::copyFile(const QString &from, const QString &to, const QString &shownName, CardCopyMode mode)
{
    struct stat source;
    // Only regular files are ever opened: reading a pipe or a device could block or change it.
    if (lstat(QFile::encodeName(from).constData(), &source) != 0 || !S_ISREG(source.st_mode)) {
        m_failures.append({Txt::CardNotRegularFile, shownName});
        return;
    }
    int change = CardChangeRecord::Replaced;
    if (mode == CardCopyMode::AddMissing) {
        struct stat st;
        if (lstat(QFile::encodeName(to).constData(), &st) != 0) {
            change = CardChangeRecord::New;
        } else if (S_ISDIR(st.st_mode)) {
            m_failures.append({Txt::CardFileNotWritten, shownName});
            ++m_notCopied;
            return;
        } else if (!S_ISLNK(st.st_mode) && compareFiles(from, to) != FileComparison::Differ) {
            // A link in place of a file is replaced by the file; identical files stay untouched.
            return;
        }
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
        m_changes.append(CardChangeRecord::fromPath(to, change));
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
    QString root = path;
    while (root.size() > 1 && root.endsWith(u'/'))
        root.chop(1);
    return deleteTree(root, m_progress, failed);
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
    copyFiles(card, ungrouped, kUngroupedDirectory + u'/', CardCopyMode::Overwrite, ItemName::extension(ItemKind::Song));
    copyFiles(card, playlistDir, kPlaylistDir + u'/', CardCopyMode::Overwrite, ItemName::extension(ItemKind::Playlist));
    copyFiles(card, slideDir, kScreenDir + u'/', CardCopyMode::Overwrite, ItemName::extension(ItemKind::Slide));
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
