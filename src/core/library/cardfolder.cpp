// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/cardfolder.h"

#include "core/library/librarynaming.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

namespace CardFolder {

namespace {

QString systemReason(int error)
{
    return qt_error_string(error);
}

} // namespace

State inspect(const QString &path, QString *reason)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info
    {};
    if (::stat(native.constData(), &info) != 0) {
        if (reason)
            *reason = systemReason(errno);
        return errno == ENOENT ? State::NotADirectory : State::Unreadable;
    }
    if (!S_ISDIR(info.st_mode)) {
        if (reason)
            *reason = systemReason(ENOTDIR);
        return State::NotADirectory;
    }
    DIR *dir = ::opendir(native.constData());
    if (!dir) {
        if (reason)
            *reason = systemReason(errno);
        return State::Unreadable;
    }
    bool other = false;
    bool card = false;
    errno = 0;
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name.startsWith(u'.'))
            continue; // dot names (".Trash-1000") are desktop litter, not content
        if (name == QStringView(LibraryNaming::kSlideDirName) || name == QStringView(LibraryNaming::kPlaylistDirName))
            card = true;
        else
            other = true;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) {
        if (reason)
            *reason = systemReason(readError);
        return State::Unreadable;
    }
    return card ? State::Card : other ? State::NotACard : State::Empty;
}

bool makeDirectory(const QString &parent, const QString &name, QString *reason)
{
    const QString path = LibraryNaming::joinPath(parent, name);
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
        return true;
    if (reason)
        *reason = systemReason(errno);
    return false;
}

} // namespace CardFolder
