// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/cardwriting.h"

#include "core/app/appdirs.h"
#include "core/app/librarypacking.h"
#include "core/library/librarynaming.h"
#include "core/model/itemname.h"
#include "core/util/fileutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

QStringList entriesOf(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Every entry below card that records does not hold, as a path below card; a folder the
// backup holds nothing of is named once, without what it contains.
QStringList entriesLeftOut(const QString &card, const CardPackList &records)
{
    QSet<QString> packed;
    QSet<QString> packedFolders;
    for (const CardPackDirectory &directory : records) {
        const QString prefix = directory.name.isEmpty() ? QString() : directory.name + u'/';
        if (!directory.name.isEmpty())
            packedFolders.insert(directory.name);
        for (const QString &file : directory.files)
            packed.insert(prefix + file);
    }
    QStringList left;
    for (const QString &name : entriesOf(card)) {
        if (isMediaLitter(name))
            continue;
        const QFileInfo info(card + u'/' + name);
        if (info.isDir() && !info.isSymLink() && packedFolders.contains(name)) {
            for (const QString &inner : entriesOf(info.filePath())) {
                if (!packed.contains(name + u'/' + inner))
                    left.append(name + u'/' + inner);
            }
        } else if (!packed.contains(name)) {
            left.append(name);
        }
    }
    return left;
}

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

CardWriteCheck recheck(const CardWriteRequest &request)
{
    return checkCardWrite(request.image, request.card, request.append ? CardWriteKind::Append : CardWriteKind::Write,
                          request.force);
}

} // namespace

CardBackupPlan planCardBackup(const QString &card)
{
    const QString root = withoutTrailingSlash(card);
    CardBackupPlan plan;
    QStringList rootFiles = sortedEntries(root, QDir::Files | QDir::NoSymLinks);
    rootFiles.removeIf([](const QString &name) { return !ItemName::kindOf(name) || !CardDataFile::isPlainName(name); });
    if (!rootFiles.isEmpty())
        plan.records.append({QString(), root, rootFiles});
    if (!sortedEntries(root, QDir::Dirs | QDir::NoSymLinks).isEmpty()) {
        for (CardPackDirectory &directory : libraryPackList(root)) {
            // Names a record cannot carry stay on the list of what the backup leaves out.
            directory.files.removeIf([](const QString &name) { return !CardDataFile::isPlainName(name); });
            if (CardDataFile::isPlainName(directory.name))
                plan.records.append(std::move(directory));
        }
    }
    plan.leftOut = entriesLeftOut(root, plan.records);
    return plan;
}

QString cardBackupPath(const QString &backupDir, const QString &label, const QDateTime &when)
{
    QString plain;
    for (const QChar c : label) {
        if (c.isLetterOrNumber() || c == u'-' || c == u'_')
            plain += c;
        else if (!plain.isEmpty() && !plain.endsWith(u'_'))
            plain += u'_';
    }
    while (plain.endsWith(u'_'))
        plain.chop(1);
    if (plain.isEmpty())
        plain = QStringLiteral("card");
    const QString base = AppDirs::withSlash(backupDir) + (plain + u'-' + when.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString path = base + u".lvp";
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = base + u'-' + QString::number(n) + u".lvp";
    return path;
}

CardWriteResult writeCard(const CardWriteRequest &request, const Progress &progress,
                          const std::function<void(CardWriteStage)> &onStage)
{
    const auto stage = [&onStage](CardWriteStage s) {
        if (onStage)
            onStage(s);
    };
    CardWriteResult result;
    result.check = recheck(request);
    if (result.check != CardWriteCheck::Ok) {
        result.status = CardWriteResult::Status::Refused;
        return result;
    }
    const QString card = withoutTrailingSlash(request.card);
    if (!request.append && !request.backupPath.isEmpty()) {
        stage(CardWriteStage::Backup);
        // Clearing the card would delete its own backup.
        if (liesIn(request.backupPath, card)) {
            result.status = CardWriteResult::Status::BackupFailed;
            result.error = request.backupPath;
            return result;
        }
        QDir().mkpath(QFileInfo(request.backupPath).path());
        const CardPackResult packed = CardDataFile::save(request.backupPath, request.backup, progress);
        if (packed.stopped) {
            result.status = CardWriteResult::Status::Stopped;
            return result;
        }
        // A backup that left a file out is no backup of the card: nothing is cleared.
        if (!packed.ok || !packed.skipped.isEmpty()) {
            result.status = CardWriteResult::Status::BackupFailed;
            result.error = packed.ok ? packed.skipped.first().name : packed.error;
            if (packed.ok)
                QFile::remove(request.backupPath);
            return result;
        }
        result.backupPath = request.backupPath;
        // The card may have gone while the backup was made.
        result.check = recheck(request);
        if (result.check != CardWriteCheck::Ok) {
            result.status = CardWriteResult::Status::Refused;
            return result;
        }
    }

    CardCopier copier(progress);
    copier.setCategories(request.append ? request.categories : int(CardAllCategories));
    if (!request.append) {
        stage(CardWriteStage::Clear);
        QString notRemoved;
        if (!copier.clearTree(card, &notRemoved)) {
            result.status = copier.stopped() ? CardWriteResult::Status::Stopped : CardWriteResult::Status::ClearFailed;
            result.error = notRemoved;
        }
    }
    if (result.status == CardWriteResult::Status::Finished) {
        stage(CardWriteStage::Copy);
        copier.copyTree(withoutTrailingSlash(request.image), card, request.append ? CardCopyMode::AddMissing
                                                                           : CardCopyMode::Overwrite);
        if (copier.stopped())
            result.status = CardWriteResult::Status::Stopped;
        result.failures = copier.failures();
        result.changes = copier.changes();
    }
    // Whatever was deleted or written must be on the card before it can be pulled.
    stage(CardWriteStage::Sync);
    if (!syncFileSystem(card, &result.syncError) && result.syncError.isEmpty())
        result.syncError = card;
    return result;
}

CardRestoreResult restoreCardImage(const QString &card, const QString &image, const Progress &progress, bool force)
{
    CardRestoreResult result;
    result.check = checkCardWrite(image, card, CardWriteKind::Restore, force);
    if (result.check != CardWriteCheck::Ok) {
        result.status = CardRestoreResult::Status::Refused;
        return result;
    }
    const QString target = withoutTrailingSlash(image);
    QDir().mkpath(target);
    CardCopier copier(progress);
    QString notRemoved;
    if (!copier.clearTree(target, &notRemoved)) {
        result.status = copier.stopped() ? CardRestoreResult::Status::Stopped : CardRestoreResult::Status::ClearFailed;
        result.error = notRemoved;
        return result;
    }
    copier.restoreCard(withoutTrailingSlash(card), target, LibraryNaming::playlistDirectory(target),
                       LibraryNaming::slideDirectory(target));
    if (copier.stopped()) {
        // Half an image would be written onto the next card as if it were whole.
        deleteTree(target);
        result.status = CardRestoreResult::Status::Stopped;
        return result;
    }
    result.failures = copier.failures();
    return result;
}
