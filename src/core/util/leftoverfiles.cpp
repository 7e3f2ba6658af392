// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/leftoverfiles.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr QStringView kPrefix = u".lumivox-";
constexpr QStringView kSuffix = u".tmp";

bool allDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The names in dir that start like a ReplacingFile name, read straight from the directory.
QStringList candidates(const QString &dir)
{
    QStringList names;
    DIR *stream = ::opendir(QFile::encodeName(dir).constData());
    if (!stream)
        return names;
    while (const dirent *entry = ::readdir(stream)) {
        if (std::strncmp(entry->d_name, ".lumivox-", 9) == 0)
            names.append(QFile::decodeName(entry->d_name));
    }
    ::closedir(stream);
    return names;
}

} // namespace

bool isReplacingFileName(QStringView name, qint64 *pid)
{
    if (!name.startsWith(kPrefix) || !name.endsWith(kSuffix))
        return false;
    const QList<QStringView> parts =
        name.mid(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size()).split(u'-');
    if (parts.size() != 3 || !std::all_of(parts.begin(), parts.end(), allDigits))
        return false;
    bool ok = false;
    const qint64 writer = parts.at(0).toLongLong(&ok);
    if (!ok || writer <= 0)
        return false;
    if (pid)
        *pid = writer;
    return true;
}

bool isProcessRunning(qint64 pid)
{
    if (pid <= 0 || pid != qint64(pid_t(pid)))
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

bool isLeftoverFileName(QStringView name)
{
    qint64 pid = 0;
    return isReplacingFileName(name, &pid) && !isProcessRunning(pid);
}

QStringList leftoverFiles(const QString &dir)
{
    QStringList names = candidates(dir);
    names.removeIf([](const QString &name) { return !isLeftoverFileName(name); });
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return a.compare(b) < 0; });
    return names;
}

QStringList removeLeftoverFiles(const QString &dir)
{
    QStringList removed;
    for (const QString &name : leftoverFiles(dir)) {
        const QByteArray path = QFile::encodeName(dir + u'/' + name);
        struct stat st;
        if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(path.constData()) == 0)
            removed.append(name);
    }
    return removed;
}
