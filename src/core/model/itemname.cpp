// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/itemname.h"

#include "core/util/leadingint.h"

namespace ItemName {

namespace {

constexpr qsizetype kNumberDigits = 4;
constexpr qsizetype kExtensionLength = 4;
constexpr qsizetype kMaxRenamedTitle = 40;

} // namespace

QString extension(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Song:
        return QString::fromUtf16(kSongExtension);
    case ItemKind::Slide:
        return QString::fromUtf16(kSlideExtension);
    case ItemKind::Playlist:
        return QString::fromUtf16(kPlaylistExtension);
    }
    return {};
}

std::optional<ItemKind> kindOf(QStringView fileName)
{
    const QStringView last = fileName.right(3);
    if (last == QStringView(kSongExtension).mid(1))
        return ItemKind::Song;
    if (last == QStringView(kSlideExtension).mid(1))
        return ItemKind::Slide;
    if (last == QStringView(kPlaylistExtension).mid(1))
        return ItemKind::Playlist;
    return std::nullopt;
}

QString format(int number, const QString &title)
{
    // "%.4d": at least four digits, the sign before them for a negative number.
    QString digits = QString::number(qAbs(qint64(number))).rightJustified(kNumberDigits, u'0');
    if (number < 0)
        digits.prepend(u'-');
    return digits + u' ' + title;
}

int number(QStringView name)
{
    return leadingInt(name.left(kNumberDigits));
}

QString title(QStringView name)
{
    return name.size() > kTitleStart ? name.mid(kTitleStart).toString() : QString();
}

QString titleOfFileName(QStringView fileName)
{
    const qsizetype length = fileName.size() - kTitleStart - kExtensionLength;
    return length > 0 ? fileName.mid(kTitleStart, length).toString() : QString();
}

QString titleForRename(QStringView name)
{
    return name.size() > kTitleStart ? name.mid(kTitleStart, kMaxRenamedTitle).toString() : QString();
}

} // namespace ItemName
