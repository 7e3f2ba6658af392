// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/itemname.h"

#include "core/util/leadingint.h"

#include <algorithm>

namespace ItemName {

namespace {

constexpr qsizetype kNumberDigits = 4;
constexpr qsizetype kExtensionLength = 4;
constexpr qsizetype kMaxRenamedTitle = 40;

} // namespace

QString extension(ItemKind kind)
{
    // Literals: no allocation for the thousands of paths a scan builds.
    switch (kind) {
    case ItemKind::Song:
        return QStringLiteral(".txt");
    case ItemKind::Slide:
        return QStringLiteral(".ekr");
    case ItemKind::Playlist:
        return QStringLiteral(".lst");
    }
    return {};
}

bool hasExtension(QStringView fileName, ItemKind kind)
{
    const QStringView wanted(kind == ItemKind::Song        ? kSongExtension
                                 : kind == ItemKind::Slide ? kSlideExtension
                                                           : kPlaylistExtension);
    if (fileName.size() < wanted.size())
        return false;
    const QStringView last = fileName.right(wanted.size());
    // ASCII letters only: case folding would also take the Kelvin sign for a "k".
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const char16_t c = last.at(i).unicode();
        if ((c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c) != wanted.at(i).unicode())
            return false;
    }
    return true;
}

std::optional<ItemKind> kindOf(QStringView fileName)
{
    for (const ItemKind kind : {ItemKind::Song, ItemKind::Slide, ItemKind::Playlist}) {
        if (hasExtension(fileName, kind))
            return kind;
    }
    return std::nullopt;
}

bool isItemFileName(QStringView fileName)
{
    if (fileName.size() <= kTitleStart + kExtensionLength || fileName.at(kNumberDigits) != u' ' || !kindOf(fileName))
        return false;
    return std::all_of(fileName.begin(), fileName.begin() + kNumberDigits,
                       [](QChar c) { return c >= u'0' && c <= u'9'; });
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

int tableSize(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Song:
        return kSongTableSize;
    case ItemKind::Slide:
        return kSlideTableSize;
    case ItemKind::Playlist:
        return kPlaylistTableSize;
    }
    return 0;
}

bool isValidNumber(ItemKind kind, int number)
{
    return number >= 1 && number < tableSize(kind);
}

} // namespace ItemName
