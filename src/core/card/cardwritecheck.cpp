// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardwritecheck.h"

#include "core/card/cardcopy.h"
#include "core/library/librarynaming.h"
#include "core/model/itemname.h"
#include "core/util/directorylisting.h"
#include "core/util/fileutils.h"
#include "core/util/leftoverfiles.h"
#include "core/util/textids.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kPlaylistDir = QString::fromUtf16(LibraryNaming::kPlaylistDirName);
const QString kScreenDir = QString::fromUtf16(LibraryNaming::kSlideDirName);

// The absolute path with links resolved as far as it exists; the missing rest is appended as
// given, so that a library that does not exist yet still compares by its real place.
QString resolvedPath(const QString &path)
{
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList missing;
    while (!QFileInfo::exists(existing) && existing != u"/") {
        missing.prepend(QFileInfo(existing).fileName());
        existing = QFileInfo(existing).path();
    }
    QString resolved = QFileInfo(existing).canonicalFilePath();
    if (resolved.isEmpty())
        resolved = existing;
    for (const QString &part : std::as_const(missing)) {
        if (!resolved.endsWith(u'/'))
            resolved += u'/';
        resolved += part;
    }
    return resolved;
}

// True when inner is outer or lies below it, comparing whole path components.
bool contains(const QString &outer, const QString &inner)
{
    if (outer.isEmpty() || inner.isEmpty())
        return false;
    if (outer == inner || outer == u"/")
        return true;
    return inner.startsWith(outer + u'/');
}

// "/", the system's own top folders, anything in the kernel's virtual file systems, and a home
// folder or a folder holding it.
bool isForbiddenFolder(const QString &path)
{
    static const QStringList kTopFolders = {
        u"/bin"_qs,   u"/boot"_qs,   u"/dev"_qs,   u"/etc"_qs, u"/home"_qs, u"/lib"_qs,  u"/lib32"_qs,
        u"/lib64"_qs, u"/libx32"_qs, u"/media"_qs, u"/mnt"_qs, u"/opt"_qs,  u"/proc"_qs, u"/root"_qs,
        u"/run"_qs,   u"/sbin"_qs,   u"/srv"_qs,   u"/sys"_qs, u"/tmp"_qs,  u"/usr"_qs,  u"/var"_qs,
    };
    if (path == u"/" || kTopFolders.contains(path))
        return true;
    for (const char16_t *virtualRoot : {u"/proc", u"/sys", u"/dev"}) {
        if (contains(QString::fromUtf16(virtualRoot), path))
            return true;
    }
    const QString home = resolvedPath(QDir::homePath());
    return contains(path, home);
}

bool holdsCardItem(const QString &dir)
{
    const QStringList files = sortedEntries(dir, QDir::Files | QDir::NoSymLinks);
    return std::any_of(files.begin(), files.end(), [](const QString &name) { return ItemName::isItemFileName(name); });
}

// A card holds its list folders, or numbered library files in its root or in a group folder.
bool looksLikeCard(const QString &dir)
{
    const QStringList folders = sortedEntries(dir, QDir::Dirs | QDir::NoSymLinks);
    if (folders.contains(kScreenDir) || folders.contains(kPlaylistDir) || holdsCardItem(dir))
        return true;
    return std::any_of(folders.begin(), folders.end(),
                       [&dir](const QString &folder) { return holdsCardItem(dir + u'/' + folder); });
}

// Every entry of dir, dot names included, in code-unit order.
QStringList allEntries(const QString &dir)
{
    QStringList names = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                            QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return a.compare(b) < 0; });
    return names;
}

// A name a card may hold besides its items: litter and the program's own temporary files (which
// the write removes). A name that is not UTF-8 cannot be judged by its text: checkClear() names it.
bool isTolerated(const QString &name)
{
    return isMediaLitter(name) || isReplacingFileName(name) || name.contains(QChar::ReplacementCharacter);
}

// A plain file whose extension makes it a song, playlist or slide.
bool isItemFile(const QString &path, const QString &name)
{
    struct stat st;
    return ItemName::kindOf(name) && lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool checkClearBelow(const QByteArray &path, const QString &shown, ClearCheck &check)
{
    const auto blocked = [&check](const QString &entry, int error) {
        check.blocked = entry;
        check.reason = systemReason(error);
        return false;
    };
    DIR *stream = ::opendir(path.constData());
    if (!stream)
        return blocked(shown, errno);
    QString firstEntry;
    bool ok = true;
    while (const dirent *entry = ::readdir(stream)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QString decoded = QFile::decodeName(name);
        const QString shownChild = shown.isEmpty() ? decoded : shown + u'/' + decoded;
        if (firstEntry.isEmpty())
            firstEntry = shownChild;
        // The clear names files as text: bytes that are no UTF-8 would not name the file again.
        if (!isDecodableFileName(name)) {
            ok = blocked((shown.isEmpty() ? QString() : shown + u'/') + escapedFileName(name), EILSEQ);
            break;
        }
        struct stat st;
        const QByteArray child = path + '/' + name;
        if (::lstat(child.constData(), &st) == 0 && S_ISDIR(st.st_mode) && !checkClearBelow(child, shownChild, check)) {
            ok = false;
            break;
        }
    }
    ::closedir(stream);
    // What a folder holds goes only when the folder may be written.
    if (ok && !firstEntry.isEmpty() && ::access(path.constData(), W_OK | X_OK) != 0)
        ok = blocked(firstEntry, errno);
    return ok;
}

} // namespace

QStringList foreignCardEntries(const QString &card)
{
    const QString root = withoutTrailingSlash(card);
    QStringList foreign;
    for (const QString &name : allEntries(root)) {
        if (isTolerated(name))
            continue;
        const QString path = root + u'/' + name;
        const QFileInfo info(path);
        if (name.startsWith(u'.') || info.isSymLink()) {
            foreign.append(name);
        } else if (info.isDir()) {
            for (const QString &inner : allEntries(path)) {
                if (!isTolerated(inner) && (inner.startsWith(u'.') || !isItemFile(path + u'/' + inner, inner)))
                    foreign.append(name + u'/' + inner);
            }
        } else if (!isItemFile(path, name)) {
            foreign.append(name);
        }
    }
    return foreign;
}

ClearCheck checkClear(const QString &folder)
{
    ClearCheck check;
    const QString root = withoutTrailingSlash(folder);
    // What lies below the folder is named by its path below it, the folder itself by its whole path.
    if (!checkClearBelow(QFile::encodeName(root), QString(), check) && check.blocked.isEmpty())
        check.blocked = root;
    return check;
}

bool isMediaLitter(const QString &name)
{
    return name.startsWith(u".Trash-") || name == u".fseventsd" || name == u".Spotlight-V100" || name == u".DS_Store"
        || name == u"System Volume Information";
}

bool isEmptyCardFolder(const QString &dir)
{
    const QStringList entries = QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    return std::all_of(entries.begin(), entries.end(), isMediaLitter);
}

CardWriteCheck checkCardWrite(const QString &image, const QString &card, CardWriteKind kind, bool force)
{
    if (!QFileInfo(card).isDir())
        return CardWriteCheck::CardMissing;
    const QString cardPath = resolvedPath(card);
    if (kind == CardWriteKind::Restore) {
        const QString library = resolvedPath(image);
        if (isForbiddenFolder(cardPath))
            return CardWriteCheck::Forbidden;
        if (isForbiddenFolder(library))
            return CardWriteCheck::LibraryForbidden;
        if (contains(library, cardPath) || contains(cardPath, library))
            return CardWriteCheck::Overlap;
        if (!force && !looksLikeCard(card))
            return CardWriteCheck::SourceNotACard;
        return CardWriteCheck::Ok;
    }
    if (!QFileInfo(image).isDir() || countCardImage(image).files == 0)
        return CardWriteCheck::ImageMissing;
    const QString imagePath = resolvedPath(image);
    if (contains(imagePath, cardPath) || contains(cardPath, imagePath))
        return CardWriteCheck::Overlap;
    if (isForbiddenFolder(cardPath))
        return CardWriteCheck::Forbidden;
    if (::access(QFile::encodeName(card).constData(), W_OK) != 0)
        return CardWriteCheck::ReadOnly;
    if (kind == CardWriteKind::Write && !force && !isEmptyCardFolder(card)) {
        const QStringList folders = sortedEntries(card, QDir::Dirs | QDir::NoSymLinks);
        if (!folders.contains(kScreenDir) && !folders.contains(kPlaylistDir))
            return CardWriteCheck::NotACard;
        if (!foreignCardEntries(card).isEmpty())
            return CardWriteCheck::ForeignEntries;
    }
    return CardWriteCheck::Ok;
}

CardFinding cardWriteRefusal(CardWriteCheck check, const QString &image, const QString &card)
{
    switch (check) {
    case CardWriteCheck::Ok:
        return {};
    case CardWriteCheck::ImageMissing:
        return {Txt::CardImageMissing, image};
    case CardWriteCheck::Overlap:
        return {Txt::CardImageOverlap, QString()};
    case CardWriteCheck::CardMissing:
        return {Txt::CardFolderMissing, card};
    case CardWriteCheck::Forbidden:
        return {Txt::CardFolderForbidden, card};
    case CardWriteCheck::LibraryForbidden:
        return {Txt::CardFolderForbidden, image};
    case CardWriteCheck::NotACard:
        return {Txt::CardFolderNotCard, card};
    case CardWriteCheck::ForeignEntries:
        return {Txt::CardForeignEntries, card};
    case CardWriteCheck::SourceNotACard:
        return {Txt::CardRestoreNotACard, card};
    case CardWriteCheck::ReadOnly:
        return {Txt::CardReadOnly, card};
    case CardWriteCheck::NotEmpty:
        return {Txt::UnpackFolderNotEmpty, card};
    }
    return {};
}
