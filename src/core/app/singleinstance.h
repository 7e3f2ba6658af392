// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Holds the per-user lock "Lumivox V1.0.lock" for the life of the process.
class SingleInstance
{
public:
    enum class Result { Acquired, AnotherInstance, LockUnavailable };

    static QString defaultLockDir();
    static constexpr char16_t kLockName[] = u"Lumivox V1.0.lock";

    // Only a lock held by a live process means another instance; any other failure
    // (no permission, no such directory) lets this one run without the lock.
    Result acquire(const QString &lockDir = defaultLockDir());
    // After the lock's holder did not answer a later start: unless a live process still holds
    // the lock file (the system's lock on it goes with the process that took it), the file is
    // a leftover of a program that was killed; it is removed and the lock taken. AnotherInstance
    // while a live holder keeps it.
    Result takeOver(const QString &lockDir = defaultLockDir());

private:
    std::unique_ptr<QLockFile> m_lock;
};
