// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A read-only file descriptor, closed on scope exit. The card operations touch thousands of
// small files, so they use the plain system calls rather than QFile's buffering and extra
// metadata look-ups.
class PosixFile
{
public:
    enum Links { FollowLinks, NoFollowLinks };

    explicit PosixFile(const QString &path, Links links = FollowLinks);
    ~PosixFile();
    PosixFile(const PosixFile &) = delete;
    PosixFile &operator=(const PosixFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Size of a regular file; -1 when it is not open or not a regular file.
    qint64 regularFileSize() const;
    unsigned mode() const { return m_mode; }
    // Fills data unless the file ends first; the count read, or -1 on an error.
    qint64 readFull(char *data, qint64 size) const;

private:
    int m_fd = -1;
    unsigned m_mode = 0;
    qint64 m_size = -1;
};
