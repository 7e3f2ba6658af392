// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One writer per folder: an exclusive advisory lock (flock) on the opened folder itself, held
// while the object lives. Nothing is written into the folder, and the kernel drops the lock
// however the process ends (killed, power lost), so no stale lock can block the next writer.
// Every program instance and every lumivox-cli run that writes a card takes it; readers do not.
class FolderLock
{
public:
    enum class State {
        Locked,      // this object holds the lock
        Busy,        // another open of the folder holds it: holderPid() names its process when known
        Unsupported, // the file system has no such locks: the work goes on without one
        Failed,      // the folder could not be opened: error() says why
    };

    // Opens folder and tries the lock once, without waiting.
    explicit FolderLock(const QString &folder);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    State state() const { return m_state; }
    // The process holding the lock when Busy, from /proc/locks; 0 when it cannot be told.
    qint64 holderPid() const { return m_holder; }
    QString error() const { return m_error; }

private:
    int m_fd = -1;
    State m_state = State::Failed;
    qint64 m_holder = 0;
    QString m_error;
};

// "lumivox-cli (1234)": the command name of a running process and its id; the id alone when
// the name cannot be read.
QString processDescription(qint64 pid);
