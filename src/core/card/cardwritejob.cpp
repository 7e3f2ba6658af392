// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardwritejob.h"

#include "core/card/cardplan.h"
#include "core/util/fileutils.h"
#include "core/util/folderlock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

using Status = CardJobResult::Status;

// True when path would lie in dir or below it: its nearest existing folder is compared by real path.
bool liesIn(const QString &path, const QString &dir)
{
    QString existing = QFileInfo(path).absolutePath();
    while (!QFileInfo::exists(existing) && existing != u"/")
        existing = QFileInfo(existing).path();
    const QString outer = QFileInfo(dir).canonicalFilePath();
    const QString inner = QFileInfo(existing).canonicalFilePath();
    return !outer.isEmpty() && !inner.isEmpty() && (inner == outer || inner.startsWith(outer + u'/'));
}

bool passesCheck(const CardWriteRequest &request, CardJobResult &result)
{
    result.check = checkCardWrite(request.image, request.card,
                                  request.append ? CardWriteKind::Append : CardWriteKind::Write, request.force);
    if (result.check == CardWriteCheck::Ok)
        return true;
    result.status = Status::Refused;
    if (result.check == CardWriteCheck::ForeignEntries)
        result.entries = foreignCardEntries(request.card);
    return false;
}

// The space of the dry run, without reading the files' contents.
bool fits(const CardWriteRequest &request, const Progress &progress, CardJobResult &result)
{
    // Only the stop flag: the copy's counters are not to run twice.
    Progress stopOnly;
    stopOnly.stop = progress.stop;
    const CardPlan plan = planCardWriteSpace(request.image, request.card, stopOnly, request.volumeProbe);
    if (plan.stopped) {
        result.status = Status::Stopped;
        return false;
    }
    if (plan.summary.shortfall() == 0)
        return true;
    result.status = Status::NoSpace;
    result.shortfall = plan.summary.shortfall();
    return false;
}

bool saveBackup(const CardWriteRequest &request, const Progress &progress, CardJobResult &result)
{
    // Clearing the card would delete its own backup.
    if (liesIn(request.backupPath, request.card)) {
        result.status = Status::BackupFailed;
        result.error = request.backupPath;
        return false;
    }
    QDir().mkpath(QFileInfo(request.backupPath).path());
    const CardPackResult packed = CardDataFile::save(request.backupPath, request.backup, progress);
    if (packed.stopped) {
        result.status = Status::Stopped;
        return false;
    }
    // A backup that left a file out is no backup of the card: nothing is cleared.
    if (!packed.ok || !packed.skipped.isEmpty()) {
        result.status = Status::BackupFailed;
        result.error = packed.ok ? packed.skipped.first().name : packed.error;
        if (packed.ok)
            QFile::remove(request.backupPath);
        return false;
    }
    result.backupPath = request.backupPath;
    // The card may have gone while the backup was made.
    return passesCheck(request, result);
}

} // namespace

CardJobResult writeCard(const CardWriteRequest &request, const Progress &progress,
                        const std::function<void(CardWriteStage)> &onStage)
{
    const auto stage = [&onStage](CardWriteStage s) {
        if (onStage)
            onStage(s);
    };
    CardJobResult result;
    result.folder = request.card;
    if (!passesCheck(request, result))
        return result;
    const QString card = withoutTrailingSlash(request.card);
    const FolderLock lock(card);
    if (!CardJob::locked(lock, result))
        return result;
    if (!request.append) {
        if (!CardJob::clearable(card, result) || !fits(request, progress, result))
            return result;
        if (!request.backupPath.isEmpty()) {
            stage(CardWriteStage::Backup);
            if (!saveBackup(request, progress, result))
                return result;
        }
    }

    CardCopier copier(progress);
    copier.setCategories(request.append ? request.categories : int(CardAllCategories));
    if (request.append) {
        CardJob::removeLeftovers(card, result);
    } else {
        stage(CardWriteStage::Clear);
        QString notRemoved;
        if (!copier.clearTree(card, &notRemoved)) {
            result.status = copier.stopped() ? Status::Stopped : Status::ClearFailed;
            result.error = notRemoved;
        }
    }
    if (result.status == Status::Finished) {
        stage(CardWriteStage::Copy);
        copier.copyTree(withoutTrailingSlash(request.image), card,
                        request.append ? CardCopyMode::AddMissing : CardCopyMode::Overwrite);
        CardJob::takeCopy(copier, result);
    }
    // An append that found nothing to do wrote nothing; a sync would only wait for what other
    // programs write to the same file system.
    if (request.append && result.status == Status::Finished && result.changes.isEmpty()
        && result.leftoversRemoved.isEmpty() && result.failures.isEmpty())
        return result;
    // Whatever was deleted or written must be on the card before it can be pulled.
    stage(CardWriteStage::Sync);
    if (!syncFileSystem(card, &result.syncError) && result.syncError.isEmpty())
        result.syncError = card;
    return result;
}
