// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/replacingfile.h"

#include "core/util/posixfile.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kChunk = 256 * 1024;

QByteArray directoryOf(const QByteArray &target)
{
    const qsizetype slash = target.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
}

// Short dot names: they stay below every name-length limit and listings skip them.
QByteArray temporaryName(const QByteArray &target, int attempt)
{
    static std::atomic_int counter{0};
    return directoryOf(target) + "/.lumivox-" + QByteArray::number(qint64(getpid())) + '-'
        + QByteArray::number(counter.fetch_add(1)) + '-' + QByteArray::number(attempt) + ".tmp";
}

int createExclusive(const QByteArray &path)
{
    int fd;
    do {
        fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// An unnamed file is linked to its name through /proc, which a chroot may lack.
bool canLinkUnnamedFiles()
{
    static const bool usable = ::access("/proc/self/fd", X_OK) == 0;
    return usable;
}

int openUnnamed(const QByteArray &target)
{
    const QByteArray dir = directoryOf(target);
    int fd;
    do {
        fd = ::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

ReplacingFile::ReplacingFile(const QString &target, NewFile newFile)
    : m_target(QFile::encodeName(target)), m_newFile(newFile)
{}

ReplacingFile::~ReplacingFile()
{
    discard();
}

bool ReplacingFile::open()
{
    // Whether a target exists is settled when the finished file is linked.
    if (m_newFile == Unnamed && canLinkUnnamedFiles()) {
        m_fd = openUnnamed(m_target);
        if (m_fd >= 0) {
            m_unnamed = true;
            return true;
        }
        // A file system without unnamed files takes the temporary name below.
    }
    struct stat st;
    const bool exists = lstat(m_target.constData(), &st) == 0;
    m_replaces = exists || errno != ENOENT;
    if (m_replaces && m_newFile == NewOnly) {
        if (exists)
            errno = EEXIST;
        return fail();
    }
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QByteArray name = temporaryName(m_target, attempt);
        m_fd = createExclusive(name);
        if (m_fd >= 0) {
            m_written = name;
            return true;
        }
        if (errno != EEXIST)
            return fail();
    }
    return fail();
}

bool ReplacingFile::fail()
{
    if (m_error == 0)
        m_error = errno != 0 ? errno : EIO;
    m_failed = true;
    return false;
}

bool ReplacingFile::write(const char *data, qint64 size)
{
    if (m_fd < 0 || m_failed)
        return false;
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return fail();
        }
        data += written;
        size -= written;
    }
    return true;
}

void ReplacingFile::setMode(unsigned mode)
{
    if (m_fd >= 0 && fchmod(m_fd, mode_t(mode & 07777)) != 0)
        fail();
}

bool ReplacingFile::commit()
{
    if (m_fd < 0 || m_failed) {
        discard();
        return false;
    }
    if (m_unnamed) {
        if (!linkIntoPlace()) {
            fail();
            discard();
            return false;
        }
        m_unnamed = false;
        const int closed = ::close(m_fd);
        m_fd = -1;
        if (closed != 0) {
            fail();
            ::unlink(m_target.constData());
            return false;
        }
        return true;
    }
    const int closed = ::close(m_fd);
    m_fd = -1;
    // close reports a delayed write error (NFS, some FUSE file systems).
    if (closed != 0 || !renameIntoPlace()) {
        fail();
        discard();
        return false;
    }
    m_written.clear();
    return true;
}

// A name that was free at open() must still be free: the file that took it meanwhile stays.
bool ReplacingFile::renameIntoPlace()
{
    if (m_replaces)
        return std::rename(m_written.constData(), m_target.constData()) == 0;
    return renameToFreeName(m_written, m_target);
}

bool renameToFreeName(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    // A file system without that flag (some FUSE ones) gets the plain rename.
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    struct stat st;
    if (lstat(to.constData(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from.constData(), to.constData()) == 0;
}

// The unnamed file gets the target's name; an existing target is replaced through a temporary
// name, as by the other modes.
bool ReplacingFile::linkIntoPlace()
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
    const auto linkTo = [&self](const QByteArray &name) {
        return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0;
    };
    if (linkTo(m_target))
        return true;
    if (errno != EEXIST)
        return false;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QByteArray name = temporaryName(m_target, attempt);
        if (!linkTo(name)) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        if (std::rename(name.constData(), m_target.constData()) == 0)
            return true;
        const int error = errno;
        ::unlink(name.constData());
        errno = error;
        return false;
    }
    return false;
}

void ReplacingFile::discard()
{
    // An unnamed file vanishes with its descriptor.
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_unnamed = false;
    if (!m_written.isEmpty()) {
        ::unlink(m_written.constData());
        m_written.clear();
    }
}

namespace {

bool copyFile(const QString &source, const QString &target, ReplacingFile::NewFile newFile, int *error)
{
    auto failed = [error](int code) {
        if (error)
            *error = code;
        return false;
    };
    const PosixFile in(source, PosixFile::NoFollowLinks);
    const qint64 size = in.regularFileSize();
    if (size < 0)
        return failed(EINVAL);
    ReplacingFile out(target, newFile);
    if (!out.open())
        return failed(out.error());
    QByteArray buffer(qsizetype(qBound(qint64(1), size, kChunk)), Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.readFull(buffer.data(), buffer.size());
        if (got < 0)
            return failed(EIO);
        if (got > 0 && !out.write(buffer.constData(), got))
            return failed(out.error());
        if (got < buffer.size())
            break;
    }
    out.setMode(in.mode());
    return out.commit() || failed(out.error());
}

} // namespace

bool copyFileReplacing(const QString &source, const QString &target, int *error)
{
    return copyFile(source, target, ReplacingFile::ViaTemporaryName, error);
}

bool copyFileNew(const QString &source, const QString &target, int *error)
{
    return copyFile(source, target, ReplacingFile::NewOnly, error);
}
