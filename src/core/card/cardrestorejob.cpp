// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardrestorejob.h"

#include "core/library/librarynaming.h"
#include "core/util/fileutils.h"
#include "core/util/folderlock.h"

#include <QDir>

CardJobResult restoreCard(const QString &card, const QString &target, CardRestoreTarget kind, const Progress &progress,
                          bool force)
{
    using Status = CardJobResult::Status;
    CardJobResult result;
    result.folder = target;
    result.check = checkCardWrite(target, card, CardWriteKind::Restore, force);
    if (result.check != CardWriteCheck::Ok) {
        result.status = Status::Refused;
        return result;
    }
    const QString folder = withoutTrailingSlash(target);
    QDir().mkpath(folder);
    const FolderLock lock(folder);
    if (!CardJob::locked(lock, result))
        return result;
    CardCopier copier(progress);
    if (kind == CardRestoreTarget::Image) {
        if (!CardJob::clearable(folder, result))
            return result;
        QString notRemoved;
        if (!copier.clearTree(folder, &notRemoved)) {
            result.status = copier.stopped() ? Status::Stopped : Status::ClearFailed;
            result.error = notRemoved;
            return result;
        }
    } else {
        CardJob::removeLeftovers(folder, result);
    }
    copier.restoreCard(withoutTrailingSlash(card), folder, LibraryNaming::playlistDirectory(folder),
                       LibraryNaming::slideDirectory(folder));
    CardJob::takeCopy(copier, result);
    // Half an image would be written onto the next card as if it were whole.
    if (kind == CardRestoreTarget::Image && result.status == Status::Stopped)
        deleteTree(folder);
    return result;
}
