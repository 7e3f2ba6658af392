// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/folderlock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// /proc/locks lists a flock lock as "1: FLOCK  ADVISORY  WRITE 1234 08:01:5678 0 EOF", the file
// named by its device's major and minor number in hex and its inode; waiters start with "->".
qint64 flockHolder(int fd)
{
    struct stat st;
    if (fstat(fd, &st) != 0)
        return 0;
    const QByteArray file = QByteArray::number(major(st.st_dev), 16).rightJustified(2, '0') + ':'
        + QByteArray::number(minor(st.st_dev), 16).rightJustified(2, '0') + ':'
        + QByteArray::number(quint64(st.st_ino));
    // A procfs file reports no size: it is read as a stream.
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 6 && fields.at(1) == "FLOCK" && fields.at(3) == "WRITE" && fields.at(5) == file)
            return fields.at(4).toLongLong();
    }
    return 0;
}

} // namespace

FolderLock::FolderLock(const QString &folder)
{
    m_fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    int result;
    do {
        result = ::flock(m_fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        m_state = State::Locked;
    } else if (errno == EWOULDBLOCK) {
        m_state = State::Busy;
        m_holder = flockHolder(m_fd);
    } else {
        m_state = State::Unsupported;
    }
}

FolderLock::~FolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString processDescription(qint64 pid)
{
    QFile comm(u"/proc/" + QString::number(pid) + u"/comm");
    const QString name = comm.open(QIODevice::ReadOnly) ? QString::fromUtf8(comm.readAll()).trimmed() : QString();
    return name.isEmpty() ? QString::number(pid) : name + u" (" + QString::number(pid) + u')';
}
