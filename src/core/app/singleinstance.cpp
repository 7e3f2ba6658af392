// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString SingleInstance::defaultLockDir()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return dir;
}

SingleInstance::Result SingleInstance::takeOver(const QString &lockDir)
{
    QLockFile leftover(QDir(lockDir).filePath(QString::fromUtf16(kLockName)));
    if (!leftover.removeStaleLockFile() && QFileInfo::exists(leftover.fileName()))
        return Result::AnotherInstance;
    return acquire(lockDir);
}

SingleInstance::Result SingleInstance::acquire(const QString &lockDir)
{
    QDir().mkpath(lockDir);
    auto lock = std::make_unique<QLockFile>(QDir(lockDir).filePath(QString::fromUtf16(kLockName)));
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return Result::Acquired;
    }
    return lock->error() == QLockFile::LockFailedError ? Result::AnotherInstance : Result::LockUnavailable;
}
