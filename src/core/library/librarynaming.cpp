// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/librarynaming.h"

#include "core/util/fileutils.h"
#include "core/util/textids.h"

#include <algorithm>

namespace LibraryNaming {

QString singleDirectoryName(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Slide:
        return QString::fromUtf16(kSlideDirName);
    case ItemKind::Playlist:
        return QString::fromUtf16(kPlaylistDirName);
    case ItemKind::Song:
        break;
    }
    return {};
}

QString songDirectory(const QString &root)
{
    return withoutTrailingSlash(root);
}

QString slideDirectory(const QString &root)
{
    return joinPath(root, QString::fromUtf16(kSlideDirName));
}

QString playlistDirectory(const QString &root)
{
    return joinPath(root, QString::fromUtf16(kPlaylistDirName));
}

QString groupDirectory(const QString &root, const QString &group)
{
    return joinPath(root, group) + u'/';
}

bool isForbiddenName(QStringView text)
{
    static constexpr QStringView kForbidden = u".\\/:*?\"<>|";
    for (QChar c : text) {
        if (kForbidden.contains(c))
            return true;
    }
    return false;
}

QString forbiddenCharacterList()
{
    return QStringLiteral("\\ / : * ? < > \" |");
}

int checkGroupName(const QString &name, const QString &baseDir)
{
    if (name.isEmpty())
        return Txt::GroupNameLabel;
    const QString lower = name.toLower();
    if (lower == u"karta" || lower == u"ekrany")
        return Txt::GroupReservedName;
    if (isForbiddenName(name))
        return Txt::GroupForbiddenCharacter;
    if (name.size() > kMaxGroupNameLength)
        return Txt::GroupNameTooLong;
    const QStringList existing = sortedEntries(baseDir, QDir::Dirs);
    for (const QString &dir : existing) {
        if (dir.toLower() == lower)
            return Txt::GroupExists;
    }
    return 0;
}

int checkPlaylistRename(const QString &name)
{
    if (name.size() > kMaxPlaylistNameLength)
        return Txt::PlaylistNameTooLong;
    if (name.isEmpty())
        return Txt::PlaylistNameEmpty;
    if (isForbiddenName(name))
        return Txt::PlaylistForbiddenCharacter;
    return 0;
}

int checkPlaylistTitle(const QString &title)
{
    if (title.isEmpty())
        return Txt::PlaylistNameEmpty;
    if (isForbiddenName(title))
        return Txt::TitleForbiddenCharacter;
    return 0;
}

int checkSlideTitle(const QString &title)
{
    if (title.isEmpty())
        return Txt::SlideTitleEmpty;
    const bool control = std::any_of(title.cbegin(), title.cend(),
                                     [](QChar c) { return c.category() == QChar::Other_Control; });
    if (control || isForbiddenName(title))
        return Txt::SlideTitleForbiddenCharacter;
    return 0;
}

} // namespace LibraryNaming
