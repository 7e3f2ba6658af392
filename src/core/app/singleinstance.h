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

private:
    std::unique_ptr<QLockFile> m_lock;
};
