// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardjob.h"

#include "core/util/fileutils.h"
#include "core/util/folderlock.h"
#include "core/util/leftoverfiles.h"

namespace CardJob {

bool locked(const FolderLock &lock, CardJobResult &result)
{
    switch (lock.state()) {
    case FolderLock::State::Locked:
    case FolderLock::State::Unsupported:
        return true;
    case FolderLock::State::Busy:
        result.status = CardJobResult::Status::Busy;
        result.holder = lock.holderPid() > 0 ? processDescription(lock.holderPid()) : QString();
        return false;
    case FolderLock::State::Failed:
        result.status = CardJobResult::Status::Refused;
        result.check = CardWriteCheck::CardMissing;
        result.reason = lock.error();
        return false;
    }
    return false;
}

bool clearable(const QString &folder, CardJobResult &result)
{
    const ClearCheck check = checkClear(folder);
    if (check.blocked.isEmpty())
        return true;
    result.status = CardJobResult::Status::NotClearable;
    result.error = check.blocked;
    result.reason = check.reason;
    return false;
}

void takeCopy(const CardCopier &copier, CardJobResult &result)
{
    if (copier.stopped())
        result.status = CardJobResult::Status::Stopped;
    result.failures = copier.failures();
    result.changes = copier.changes();
    result.notCopied = copier.notCopied();
    result.diskFull = copier.diskFull();
}

void removeLeftovers(const QString &folder, CardJobResult &result)
{
    const QString root = withoutTrailingSlash(folder);
    for (const QString &name : removeLeftoverFiles(root))
        result.leftoversRemoved.append(name);
    for (const QString &sub : sortedEntries(root, QDir::Dirs | QDir::NoSymLinks)) {
        for (const QString &name : removeLeftoverFiles(root + u'/' + sub))
            result.leftoversRemoved.append(sub + u'/' + name);
    }
}

} // namespace CardJob
