// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QString>

#include <utility>

// A read-only file descriptor, closed on scope exit. The card operations touch thousands of
// small files, so they use the plain system calls rather than QFile's buffering and extra
// metadata look-ups.
class PosixFile
{
public:
    enum Links { FollowLinks, NoFollowLinks };

    explicit PosixFile(const QString &path, Links links = FollowLinks);
    // A file of an open directory: no walk along the whole path for each of its many files.
    PosixFile(const PosixFile &directory, const QString &name, Links links = FollowLinks);
    // A directory to open files in; never a link.
    static PosixFile directory(const QString &path);
    ~PosixFile();
    PosixFile(PosixFile &&other) noexcept
        : m_fd(std::exchange(other.m_fd, -1)), m_mode(other.m_mode), m_size(other.m_size), m_errno(other.m_errno)
    {}
    PosixFile(const PosixFile &) = delete;
    PosixFile &operator=(const PosixFile &) = delete;
    PosixFile &operator=(PosixFile &&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Why the file is not open, or that it is no regular file; empty otherwise.
    QString errorString() const;
    // Size of a regular file; -1 when it is not open or not a regular file.
    qint64 regularFileSize() const;
    unsigned mode() const { return m_mode; }
    // Opens device read-only on this file's descriptor when it is a regular file; device must
    // not be used after this object is gone.
    bool openDevice(QFile &device) const;
    // Fills data unless the file ends first; the count read, or -1 on an error.
    qint64 readFull(char *data, qint64 size) const;
    // At most size bytes from the current position: fewer when the file ends first, none on an error.
    QByteArray readUpTo(qint64 size) const;

private:
    PosixFile() = default;
    void open(int directoryFd, const QByteArray &name, int flags);

    int m_fd = -1;
    unsigned m_mode = 0;
    qint64 m_size = -1;
    int m_errno = 0; // of the failed open
};

// The whole content of a regular file (a link to one counts) of at most maxSize bytes: a link to
// a device or a huge file is never read. False when the file is none such or cannot be read.
bool readRegularFile(const QString &path, qint64 maxSize, QByteArray *bytes);

// Opens file (buffered, read-only) on path when it is a regular file (a link to one counts). A
// named pipe, device or folder is refused with "Not a regular file" without being opened for
// reading in a way that could block: its type is looked up first, the open does not wait, and
// the type is checked again on the open descriptor.
bool openRegularFile(const QString &path, QFile &file, QString *error = nullptr);

// A write past the process's file-size limit (ulimit -f) then fails with EFBIG, which every save
// reports and cleans up, instead of SIGXFSZ ending the program mid-write with its temporary file
// left behind. Called once at start-up.
void failWritesOverFileSizeLimit();
