// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardwritecheck.h"

#include "core/card/cardcopy.h"
#include "core/library/librarynaming.h"
#include "core/model/itemname.h"
#include "core/util/fileutils.h"
#include "core/util/textids.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
        u"/bin"_qs,  u"/boot"_qs, u"/dev"_qs,  u"/etc"_qs, u"/home"_qs, u"/lib"_qs,   u"/lib32"_qs, u"/lib64"_qs,
        u"/libx32"_qs, u"/media"_qs, u"/mnt"_qs, u"/opt"_qs, u"/proc"_qs, u"/root"_qs, u"/run"_qs,  u"/sbin"_qs,
        u"/srv"_qs,  u"/sys"_qs,  u"/tmp"_qs,  u"/usr"_qs, u"/var"_qs,
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

} // namespace

bool isMediaLitter(const QString &name)
{
    return name.startsWith(u".Trash-") || name == u".fseventsd" || name == u".Spotlight-V100" || name == u".DS_Store"
        || name == u"System Volume Information";
}

bool isEmptyCardFolder(const QString &dir)
{
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
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
    case CardWriteCheck::SourceNotACard:
        return {Txt::CardRestoreNotACard, card};
    case CardWriteCheck::ReadOnly:
        return {Txt::CardReadOnly, card};
    }
    return {};
}
