// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/itemlisting.h"

#include <QSet>

namespace {

// Names are listed whatever the case of their extension; of two that differ only in it, the
// lower-case one stays, otherwise the first, and the others go to the twins.
void leaveOutCaseTwins(ItemListing &listing, const QList<std::pair<qsizetype, QString>> &otherSpelling)
{
    QSet<QString> spelledOtherwise;
    for (const auto &[position, extension] : otherSpelling)
        spelledOtherwise.insert(listing.names.at(position));
    QSet<QString> taken;
    qsizetype next = 0;
    for (qsizetype i = 0; i < listing.names.size(); ++i) {
        const bool other = next < otherSpelling.size() && otherSpelling.at(next).first == i;
        if (!other && spelledOtherwise.contains(listing.names.at(i)))
            taken.insert(listing.names.at(i));
        next += other ? 1 : 0;
    }
    QList<qsizetype> twins;
    for (const auto &[position, extension] : otherSpelling) {
        const QString &name = listing.names.at(position);
        if (taken.contains(name)) {
            listing.caseTwins.append(name + extension);
            twins.append(position);
            continue;
        }
        taken.insert(name);
        listing.extensions.insert(name, extension);
    }
    for (auto it = twins.crbegin(); it != twins.crend(); ++it)
        listing.names.removeAt(*it);
}

} // namespace

ItemListing listItems(DirectoryListing directory, ItemKind kind)
{
    ItemListing listing;
    const QString lowerCase = ItemName::extension(kind);
    const qsizetype length = lowerCase.size();
    listing.names.reserve(directory.files.size());
    // Rare: only they make the twin check run. The names are cut in place, without a copy each.
    QList<std::pair<qsizetype, QString>> otherSpelling;
    for (QString &file : directory.files) {
        if (!file.endsWith(lowerCase)) {
            if (!ItemName::hasExtension(file, kind))
                continue;
            otherSpelling.append({listing.names.size(), file.right(length)});
        }
        file.chop(length);
        listing.names.append(std::move(file));
    }
    if (!otherSpelling.isEmpty())
        leaveOutCaseTwins(listing, otherSpelling);
    for (const DirectoryListing::RawName &raw : directory.undecodable) {
        // The extension is ASCII whatever the rest of the name holds.
        if (!raw.directory && ItemName::hasExtension(QString::fromLatin1(raw.name.right(length)), kind))
            listing.undecodable.append(raw.name);
    }
    return listing;
}

ItemListing listItems(const QString &dir, ItemKind kind)
{
    return listItems(listDirectory(dir), kind);
}
