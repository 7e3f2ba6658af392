// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/posixfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

PosixFile::PosixFile(const QString &path, Links links)
{
    const QByteArray name = QFile::encodeName(path);
    const int flags = O_RDONLY | O_CLOEXEC | (links == NoFollowLinks ? O_NOFOLLOW : 0);
    do {
        m_fd = ::open(name.constData(), flags);
    } while (m_fd < 0 && errno == EINTR);
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
