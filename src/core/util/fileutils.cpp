// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/fileutils.h"

#include "core/util/replacingfile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

QStringList sortedEntries(const QString &dir, QDir::Filters filters, const QStringList &nameFilters)
{
    QStringList names = QDir(dir).entryList(
        nameFilters, filters | QDir::NoDotAndDotDot | QDir::Hidden | QDir::CaseSensitive, QDir::NoSort);
    names.removeIf([](const QString &name) { return name.startsWith(u'.'); });
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return a.compare(b) < 0; });
    return names;
}

namespace {

// shown is path below the tree's root; announced the directory last reported; failed gets the
// first path (below the root) that could not be deleted.
bool deleteBelow(const QString &path, const QString &shown, const Progress &progress, QString &announced,
                 QString *failed)
{
    bool ok = true;
    // Dot names are deleted too: the tree is emptied completely.
    const QStringList names = QDir(path).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names) {
        if (progress.stopRequested())
            return false;
        const QString child = path + u'/' + name;
        const QString shownChild = shown.isEmpty() ? name : shown + u'/' + name;
        const QFileInfo info(child);
        bool deleted;
        if (info.isDir() && !info.isSymLink()) {
            deleted = deleteBelow(child, shownChild, progress, announced, failed);
            deleted = QDir().rmdir(child) && deleted;
        } else {
            if (shown != announced) {
                announced = shown;
                progress.directory(shown);
            }
            progress.file(name, 0, 0);
            deleted = QFile::remove(child);
        }
        if (!deleted && failed && failed->isEmpty())
            *failed = shownChild;
        ok = deleted && ok;
    }
    return ok;
}

} // namespace

bool deleteTree(const QString &path, const Progress &progress, QString *failed)
{
    const QFileInfo root(path);
    if (!root.isDir())
        return false;
    QString announced;
    return deleteBelow(root.isSymLink() ? root.symLinkTarget() : path, QString(), progress, announced, failed);
}

bool copyFiles(const QString &source, const QString &target, const Progress &progress)
{
    bool ok = true;
    const QStringList names = sortedEntries(source, QDir::Files | QDir::NoSymLinks);
    const int count = int(names.size());
    for (int i = 0; i < count; ++i) {
        if (progress.stopRequested())
            return false;
        const QString &name = names.at(i);
        const QString from = source + u'/' + name;
        const QString to = target + u'/' + name;
        progress.file(name, i, count);
        if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
            continue;
        ok = copyFileReplacing(from, to) && ok;
    }
    return ok;
}

bool deleteFiles(const QString &directory, const QString &pattern, const Progress &progress)
{
    bool ok = true;
    const QStringList names = QDir(directory).entryList({pattern}, QDir::Files | QDir::System | QDir::Hidden,
                                                        QDir::Name);
    const int count = int(names.size());
    for (int i = 0; i < count; ++i) {
        if (progress.stopRequested())
            return false;
        progress.file(names.at(i), i, count);
        ok = QFile::remove(directory + u'/' + names.at(i)) && ok;
    }
    return ok;
}

bool isControlCharacter(char16_t unit)
{
    return unit < 0x20 || unit == 0x7F || (unit >= 0x80 && unit < 0xA0);
}

bool hasControlCharacter(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return isControlCharacter(c.unicode()); });
}

QString withControlsReplaced(QString text)
{
    for (QChar &c : text) {
        if (isControlCharacter(c.unicode()))
            c = QChar::ReplacementCharacter;
    }
    return text;
}

bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name.at(i).unicode();
        if (isControlCharacter(u) || u == u'/' || u == u'\\')
            return false;
        // A lone surrogate has no file name of its own: two such names would meet as one file.
        if (QChar::isHighSurrogate(u) && i + 1 < name.size() && name.at(i + 1).isLowSurrogate())
            ++i;
        else if (QChar::isSurrogate(u))
            return false;
    }
    return true;
}

bool syncFileSystem(const QString &path, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int failure = fd < 0 ? errno : 0;
    if (fd >= 0) {
        if (::syncfs(fd) != 0)
            failure = errno;
        ::close(fd);
    }
    if (failure != 0 && error)
        *error = QString::fromLocal8Bit(std::strerror(failure));
    return failure == 0;
}

bool isSameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    std::error_code error;
    const bool same = std::filesystem::equivalent(a.toStdU16String(), b.toStdU16String(), error);
    return !error && same;
}

QString joinPath(const QString &dir, const QString &name)
{
    if (dir.endsWith(u'/'))
        return dir + name;
    return dir + u'/' + name;
}

QString withoutTrailingSlash(const QString &path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    return trimmed;
}

bool isSameOrInside(const QString &path, const QString &folder)
{
    QString current = QFileInfo(path).canonicalFilePath();
    if (current.isEmpty() || folder.isEmpty() || !QFileInfo::exists(folder))
        return false;
    for (;;) {
        if (isSameFile(current, folder))
            return true;
        const QString parent = QFileInfo(current).path();
        if (parent == current)
            return false;
        current = parent;
    }
}
