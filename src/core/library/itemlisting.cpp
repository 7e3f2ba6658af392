// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/itemlisting.h"

#include <QSet>

ItemListing listItems(const DirectoryListing &directory, ItemKind kind)
{
    ItemListing listing;
    const QString lowerCase = ItemName::extension(kind);
    const qsizetype extensionLength = lowerCase.size();
    listing.names.reserve(directory.files.size());
    // Names whose extension is spelled otherwise are rare: only they make the twin check run.
    bool otherSpelling = false;
    for (const QString &file : directory.files) {
        if (!file.endsWith(lowerCase) && ItemName::hasExtension(file, kind)) {
            otherSpelling = true;
            break;
        }
    }
    QSet<QString> lowerCaseNames;
    if (otherSpelling) {
        for (const QString &file : directory.files) {
            if (file.endsWith(lowerCase))
                lowerCaseNames.insert(file.chopped(extensionLength));
        }
    }
    for (const QString &file : directory.files) {
        if (!ItemName::hasExtension(file, kind))
            continue;
        QString name = file.chopped(extensionLength);
        if (otherSpelling && !file.endsWith(lowerCase)) {
            if (lowerCaseNames.contains(name) || listing.extensions.contains(name)) {
                listing.caseTwins.append(file);
                continue;
            }
            listing.extensions.insert(name, file.right(extensionLength));
        }
        listing.names.append(std::move(name));
    }
    for (const DirectoryListing::RawName &raw : directory.undecodable) {
        if (!raw.directory && ItemName::hasExtension(QString::fromLatin1(raw.name.right(extensionLength)), kind))
            listing.undecodable.append(raw.name);
    }
    return listing;
}

ItemListing listItems(const QString &dir, ItemKind kind)
{
    return listItems(listDirectory(dir), kind);
}
