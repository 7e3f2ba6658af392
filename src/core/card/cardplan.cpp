// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardplan.h"

#include "core/card/cardnamefindings.h"
#include "core/model/itemname.h"
#include "core/util/directorylisting.h"
#include "core/util/fileutils.h"
#include "core/util/leftoverfiles.h"
#include "core/util/textids.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr qint64 kAssumedCluster = 4096;

// Asked of the folder itself: in a chroot or a container the mount table may not list the
// card's file system, but its own statistics are always there.
CardVolume probeVolume(const QString &card, const CardVolumeProbe &probe)
{
    if (probe)
        return probe(card);
    CardVolume volume;
    const int fd = ::open(QFile::encodeName(card).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return volume;
    struct statvfs st;
    if (::fstatvfs(fd, &st) == 0) {
        const qint64 unit = st.f_frsize > 0 ? qint64(st.f_frsize) : qint64(st.f_bsize);
        volume.blockSize = unit;
        volume.bytesAvailable = unit > 0 ? qint64(st.f_bavail) * unit : -1;
    }
    ::close(fd);
    return volume;
}

qint64 regularSize(const QString &path)
{
    struct stat st;
    return lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode) ? qint64(st.st_size) : 0;
}

// Drops the file's pages from the cache, so that the next read comes from the device and not
// from memory. The card's file system was synced before: only clean pages are dropped.
void dropCachedPages(const QString &path)
{
    // A pipe or a device is never opened.
    struct stat st;
    if (lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

CardPlanRow rowFor(const QString &path, CardPlanChange change, qint64 bytes)
{
    CardPlanRow row;
    row.change = change;
    row.bytes = bytes;
    row.path = path;
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    const std::optional<ItemKind> kind = ItemName::kindOf(name);
    if (!kind) {
        row.kind = CardPlanRow::Other;
        row.title = name;
        return row;
    }
    row.kind = *kind == ItemKind::Playlist ? CardPlanRow::Playlist
        : *kind == ItemKind::Slide         ? CardPlanRow::Slide
                                           : CardPlanRow::Song;
    row.number = ItemName::number(name);
    row.title = ItemName::titleOfFileName(name);
    return row;
}

// Everything below the card except directories, as a clear would meet it: links not followed,
// dot names included. Regular files carry their size, anything else 0.
struct CardContents
{
    QList<QString> paths;
    QHash<QString, qint64> sizes;
    QStringList leftovers;
    int directories = 0;
    CardFindings undecodable; // names no path of text reaches, which the walk does not see
};

CardContents listCard(const QString &card, bool readBack)
{
    CardContents contents;
    // One sync of the whole card rather than an fsync per file: each fsync can commit the
    // journal again (reading updates access times), thousands of times over.
    if (readBack)
        syncFileSystem(card);
    const auto noteUndecodable = [&](const QString &directory) {
        for (const DirectoryListing::RawName &raw : listDirectory(directory).undecodable)
            contents.undecodable.append(undecodableNameFinding(directory + u'/', raw.name));
    };
    noteUndecodable(card);
    QDirIterator it(card, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir() && !info.isSymLink()) {
            ++contents.directories;
            noteUndecodable(path);
            continue;
        }
        const QString relative = path.mid(card.size() + 1);
        const bool regular = info.isFile() && !info.isSymLink();
        contents.sizes.insert(relative, regular ? info.size() : 0);
        if (regular && isLeftoverFileName(it.fileName()))
            contents.leftovers.append(relative);
        else
            contents.paths.append(relative);
        if (readBack && regular)
            dropCachedPages(path);
    }
    return contents;
}

CardPlanChange changeOf(CardFileAction action, CardPlanMode mode)
{
    switch (action) {
    case CardFileAction::New:
        return CardPlanChange::New;
    case CardFileAction::Replace:
        return CardPlanChange::Replace;
    case CardFileAction::Same:
        return CardPlanChange::Same;
    case CardFileAction::SourceUnreadable:
        return CardPlanChange::Unreadable;
    case CardFileAction::TargetUnreadable:
    case CardFileAction::TargetBlocked:
        // A write clears what stands in the way first; the entry shows among the extras.
        return mode == CardPlanMode::Write ? CardPlanChange::New : CardPlanChange::Unreadable;
    }
    return CardPlanChange::Unreadable;
}

} // namespace

bool CardPlan::hasChanges() const
{
    return std::any_of(rows.begin(), rows.end(), [this](const CardPlanRow &row) {
        return row.change != CardPlanChange::Same
            && (row.change != CardPlanChange::Extra || mode != CardPlanMode::Append);
    });
}

bool CardPlan::failed() const
{
    return error.textId != 0 || summary.count(CardPlanChange::Unreadable) > 0
        || (mode != CardPlanMode::Verify && summary.shortfall() > 0);
}

namespace {

// compare: AddMissing reads the contents of files on both sides to tell same from replaced;
// Overwrite only looks at what is there.
CardPlan planCopy(const QString &image, const QString &card, CardPlanMode mode, int categories,
                  const Progress &progress, CardCopyMode compare, const CardVolumeProbe &volumeProbe)
{
    CardPlan plan;
    plan.mode = mode;
    const QString source = withoutTrailingSlash(image);
    const QString target = withoutTrailingSlash(card);
    const CardContents onCard = listCard(target, mode == CardPlanMode::Verify);

    QSet<QString> fromImage;
    QList<qint64> cardBytes; // of each row's card file, for the growth of a replacement
    int directories = 0;
    int newDirectories = 0;
    CardCopier copier(progress);
    copier.setCategories(mode == CardPlanMode::Write ? int(CardAllCategories) : categories);
    copier.setDryRun(
        {[&](const QString &, bool exists) {
             ++directories;
             newDirectories += exists ? 0 : 1;
         },
         [&](const QString &from, const QString &to, CardFileAction action) {
             const QString relative = to.mid(target.size() + 1);
             const CardPlanChange change = changeOf(action, mode);
             plan.rows.append(rowFor(relative, change, regularSize(from)));
             cardBytes.append(onCard.sizes.value(relative));
             // What a write's clear deletes without putting it back counts as extra.
             const bool restored = change == CardPlanChange::New || change == CardPlanChange::Replace
                 || change == CardPlanChange::Same;
             if (mode != CardPlanMode::Write
                 || (restored && action != CardFileAction::TargetUnreadable && action != CardFileAction::TargetBlocked))
                 fromImage.insert(relative);
         }});
    copier.copyTree(source, target, compare);
    if (copier.stopped()) {
        plan.stopped = true;
        return plan;
    }
    if (!QFileInfo(target).isDir()) {
        plan.error = {Txt::CardFolderMissing, card};
        return plan;
    }
    if (!QFileInfo(source).isDir()) {
        plan.error = {Txt::CardImageMissing, image};
        return plan;
    }
    plan.notHandled = copier.failures() + onCard.undecodable;

    QStringList extras;
    for (const QString &path : onCard.paths) {
        if (!fromImage.contains(path))
            extras.append(path);
    }
    const auto byPath = [](const QString &a, const QString &b) { return a.compare(b) < 0; };
    std::sort(extras.begin(), extras.end(), byPath);
    plan.leftovers = onCard.leftovers;
    std::sort(plan.leftovers.begin(), plan.leftovers.end(), byPath);
    for (const QString &path : std::as_const(extras))
        plan.rows.append(rowFor(path, CardPlanChange::Extra, onCard.sizes.value(path)));

    CardPlanSummary &summary = plan.summary;
    const CardVolume volume = probeVolume(target, volumeProbe);
    summary.clusterAssumed = volume.blockSize <= 0;
    const qint64 cluster = summary.clusterAssumed ? kAssumedCluster : volume.blockSize;
    summary.cluster = cluster;
    const auto clusters = [cluster](qint64 bytes) { return (bytes + cluster - 1) / cluster * cluster; };
    qint64 largestReplacement = 0;
    for (qsizetype i = 0; i < plan.rows.size(); ++i) {
        const CardPlanRow &row = plan.rows.at(i);
        ++summary.counts[int(row.change)];
        if (row.change == CardPlanChange::Extra || row.change == CardPlanChange::Unreadable)
            continue;
        if (mode == CardPlanMode::Write) {
            summary.bytesToWrite += row.bytes;
            summary.spaceNeeded += clusters(row.bytes);
        } else if (row.change == CardPlanChange::New) {
            summary.bytesToWrite += row.bytes;
            summary.spaceNeeded += clusters(row.bytes);
        } else if (row.change == CardPlanChange::Replace) {
            // The new copy is written beside the old file and renamed over it.
            summary.bytesToWrite += row.bytes;
            summary.spaceNeeded += std::max<qint64>(0, clusters(row.bytes) - clusters(cardBytes.at(i)));
            largestReplacement = std::max(largestReplacement, clusters(row.bytes));
        }
    }
    summary.spaceAvailable = volume.bytesAvailable < 0 ? -1 : volume.bytesAvailable;
    if (mode == CardPlanMode::Write) {
        summary.spaceNeeded += qint64(directories) * cluster;
        if (summary.spaceKnown()) {
            for (const qint64 size : onCard.sizes)
                summary.spaceAvailable += clusters(size);
            summary.spaceAvailable += qint64(onCard.directories) * cluster;
        }
    } else {
        summary.spaceNeeded += largestReplacement + qint64(newDirectories) * cluster;
    }
    return plan;
}

} // namespace

CardPlan planCardCopy(const QString &image, const QString &card, CardPlanMode mode, int categories,
                      const Progress &progress, const CardVolumeProbe &volumeProbe)
{
    return planCopy(image, card, mode, categories, progress, CardCopyMode::AddMissing, volumeProbe);
}

CardPlan planCardWriteSpace(const QString &image, const QString &card, const Progress &progress,
                            const CardVolumeProbe &volumeProbe)
{
    return planCopy(image, card, CardPlanMode::Write, CardAllCategories, progress, CardCopyMode::Overwrite,
                    volumeProbe);
}
