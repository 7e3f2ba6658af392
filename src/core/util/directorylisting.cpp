// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/directorylisting.h"

#include <QFile>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

bool byCodeUnits(const QString &a, const QString &b)
{
    return a.compare(b) < 0;
}

// The length of the well-formed UTF-8 sequence at the start of bytes, 0 when there is none
// (a stray continuation byte, an overlong form, a surrogate, beyond U+10FFFF, cut short).
qsizetype utf8SequenceLength(QByteArrayView bytes)
{
    const auto at = [&bytes](qsizetype i) { return i < bytes.size() ? quint8(bytes.at(i)) : 0; };
    const auto continuation = [&at](qsizetype i) { return (at(i) & 0xC0) == 0x80; };
    const quint8 lead = at(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const quint8 low = lead == 0xE0 ? 0xA0 : 0x80;
        const quint8 high = lead == 0xED ? 0x9F : 0xBF;
        return at(1) >= low && at(1) <= high && continuation(2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const quint8 low = lead == 0xF0 ? 0x90 : 0x80;
        const quint8 high = lead == 0xF4 ? 0x8F : 0xBF;
        return at(1) >= low && at(1) <= high && continuation(2) && continuation(3) ? 4 : 0;
    }
    return 0;
}

bool isDecodedExactly(const QString &decoded, QByteArrayView name)
{
    // Qt replaces what it cannot decode by U+FFFD; a name may hold that character itself.
    return !decoded.contains(QChar::ReplacementCharacter) || QFile::encodeName(decoded) == name;
}

} // namespace

bool DirectoryListing::hasDirectories() const
{
    return !directories.isEmpty()
        || std::any_of(undecodable.begin(), undecodable.end(), [](const RawName &raw) { return raw.directory; });
}

DirectoryListing listDirectory(const QString &dir)
{
    DirectoryListing listing;
    DIR *stream = ::opendir(QFile::encodeName(dir).constData());
    if (!stream)
        return listing;
    listing.opened = true;
    const int dirFd = ::dirfd(stream);
    while (const dirent *entry = ::readdir(stream)) {
        if (entry->d_name[0] == '.')
            continue;
        unsigned type = entry->d_type;
        if (type == DT_UNKNOWN) {
            struct stat st;
            if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            type = S_ISREG(st.st_mode) ? DT_REG : S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_FIFO;
        }
        if (type == DT_LNK)
            continue;
        const QByteArrayView bytes(entry->d_name);
        QString name = QFile::decodeName(entry->d_name);
        if (!isDecodedExactly(name, bytes)) {
            listing.undecodable.append({bytes.toByteArray(), type == DT_DIR});
            continue;
        }
        QStringList &list = type == DT_REG ? listing.files : type == DT_DIR ? listing.directories : listing.specials;
        list.append(std::move(name));
    }
    ::closedir(stream);
    for (QStringList *list : {&listing.files, &listing.specials, &listing.directories})
        std::sort(list->begin(), list->end(), byCodeUnits);
    std::sort(listing.undecodable.begin(), listing.undecodable.end(),
              [](const DirectoryListing::RawName &a, const DirectoryListing::RawName &b) { return a.name < b.name; });
    return listing;
}

bool isDecodableFileName(QByteArrayView name)
{
    return isDecodedExactly(QFile::decodeName(name.toByteArray()), name);
}

QString escapedFileName(QByteArrayView name)
{
    QString shown;
    qsizetype i = 0;
    while (i < name.size()) {
        qsizetype run = i;
        while (run < name.size()) {
            const qsizetype length = utf8SequenceLength(name.sliced(run));
            if (length == 0)
                break;
            run += length;
        }
        shown += QString::fromUtf8(name.sliced(i, run - i));
        if (run < name.size())
            shown += u"\\x" + QStringLiteral("%1").arg(quint8(name.at(run)), 2, 16, QLatin1Char('0')).toUpper();
        i = run + 1;
    }
    return shown;
}
