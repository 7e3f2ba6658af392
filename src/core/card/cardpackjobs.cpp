// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardpackjobs.h"

#include "core/card/cardbackup.h"
#include "core/card/librarypacking.h"
#include "core/util/fileutils.h"
#include "core/util/folderlock.h"
#include "core/util/textids.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <optional>

CardPackJobResult packCard(const QString &card, const QString &out, const Progress &progress)
{
    CardPackJobResult result;
    if (!QFileInfo(card).isDir()) {
        result.refusal = {Txt::CardFolderMissing, card};
        result.pack.error = QString::fromLocal8Bit(std::strerror(ENOENT));
        return result;
    }
    // A card without folders keeps its songs in its root, where the library scan does not look:
    // its pack carries them as the backup before a write does.
    const bool flat = sortedEntries(card, QDir::Dirs | QDir::NoSymLinks).isEmpty();
    result.pack = CardDataFile::save(out, flat ? planCardBackup(card).records : libraryPackList(card), progress);
    return result;
}

CardUnpackJobResult unpackCardFile(const QString &in, const QString &dir, bool force, const Progress &progress)
{
    CardUnpackJobResult result;
    result.job.folder = dir;
    const QFileInfo info(dir);
    // Files of the card data file would land among what the folder holds.
    if (!force && !QDir(dir).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        result.job.status = CardJobResult::Status::Refused;
        result.job.check = CardWriteCheck::NotEmpty;
        return result;
    }
    // A folder the unpack makes itself has no other writer; an existing one may have.
    std::optional<FolderLock> lock;
    if (info.isDir()) {
        lock.emplace(dir);
        if (!CardJob::locked(*lock, result.job))
            return result;
        CardJob::removeLeftovers(dir, result.job);
    }
    result.unpack = CardDataFile::load(in, dir, progress,
                                       force ? CardUnpackFolders::ReuseExisting : CardUnpackFolders::MustBeNew);
    return result;
}
