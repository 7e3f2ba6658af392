// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/posixfile.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString notRegularFileText()
{
    return QStringLiteral("Not a regular file");
}

} // namespace

PosixFile::PosixFile(const QString &path, Links links)
{
    open(AT_FDCWD, QFile::encodeName(path), O_RDONLY | (links == NoFollowLinks ? O_NOFOLLOW : 0));
}

PosixFile::PosixFile(const PosixFile &directory, const QString &name, Links links)
{
    if (directory.m_fd >= 0)
        open(directory.m_fd, QFile::encodeName(name), O_RDONLY | (links == NoFollowLinks ? O_NOFOLLOW : 0));
}

PosixFile PosixFile::directory(const QString &path)
{
    PosixFile dir;
    dir.open(AT_FDCWD, QFile::encodeName(path), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    return dir;
}

void PosixFile::open(int directoryFd, const QByteArray &name, int flags)
{
    // O_NONBLOCK: a named pipe planted under a file's name must not hang the open; for the
    // regular files read here it changes nothing.
    do {
        m_fd = ::openat(directoryFd, name.constData(), flags | O_CLOEXEC | O_NONBLOCK);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0)
        m_errno = errno;
    struct stat st;
    if (m_fd >= 0 && fstat(m_fd, &st) == 0) {
        m_mode = unsigned(st.st_mode);
        m_size = S_ISREG(st.st_mode) ? qint64(st.st_size) : -1;
    }
}

PosixFile::~PosixFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

qint64 PosixFile::regularFileSize() const
{
    return m_size;
}

QString PosixFile::errorString() const
{
    if (m_fd < 0)
        return qt_error_string(m_errno);
    return m_size < 0 ? notRegularFileText() : QString();
}

bool PosixFile::openDevice(QFile &device) const
{
    return m_size >= 0 && device.open(m_fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
}

qint64 PosixFile::readFull(char *data, qint64 size) const
{
    if (m_fd < 0)
        return -1;
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::read(m_fd, data + done, size_t(size - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

QByteArray PosixFile::readUpTo(qint64 size) const
{
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    bytes.resize(qMax<qsizetype>(0, qsizetype(readFull(bytes.data(), size))));
    return bytes;
}

bool readRegularFile(const QString &path, qint64 maxSize, QByteArray *bytes)
{
    const PosixFile file(path);
    const qint64 size = file.regularFileSize();
    if (size < 0 || size > maxSize)
        return false;
    bytes->resize(qsizetype(size));
    return file.readFull(bytes->data(), size) == size;
}

bool openRegularFile(const QString &path, QFile &file, QString *error)
{
    const auto failed = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    const QByteArray native = QFile::encodeName(path);
    struct stat st;
    if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return failed(notRegularFileText());
    int fd;
    do {
        fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return failed(qt_error_string(errno));
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return failed(notRegularFileText());
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failed(file.errorString());
    }
    return true;
}

void failWritesOverFileSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}
