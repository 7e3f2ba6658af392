// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/songgroup.h"

#include <QSettings>

namespace {

const QString kSection = QStringLiteral("GroupColor");

QString nameKey(int slot)
{
    return QStringLiteral("G%1N").arg(slot);
}
QString dataKey(int slot)
{
    return QStringLiteral("G%1D").arg(slot);
}

} // namespace

QByteArray SongGroup::toStoredBytes() const
{
    QByteArray bytes(kStoredSize, '\0');
    bytes[0] = char((colour >> 16) & 0xFF);
    bytes[1] = char((colour >> 8) & 0xFF);
    bytes[2] = char(colour & 0xFF);
    bytes[3] = char((firstNumber >> 8) & 0xFF);
    bytes[4] = char(firstNumber & 0xFF);
    bytes[5] = char((lastNumber >> 8) & 0xFF);
    bytes[6] = char(lastNumber & 0xFF);
    return bytes;
}

SongGroup SongGroup::fromStored(const QString &name, const QByteArray &stored)
{
    QByteArray bytes = stored.left(kStoredSize);
    const QByteArray empty = SongGroup().toStoredBytes();
    bytes.append(empty.mid(bytes.size()));
    const auto at = [&bytes](int i) { return quint32(quint8(bytes[i])); };

    SongGroup group;
    group.name = name;
    group.colour = (at(0) << 16) | (at(1) << 8) | at(2);
    group.firstNumber = int((at(3) << 8) | at(4));
    group.lastNumber = int((at(5) << 8) | at(6));
    return group;
}

SongGroupList loadGroups(QSettings &store)
{
    SongGroupList groups;
    store.beginGroup(kSection);
    for (int slot = 1; slot <= SongGroup::kMaxGroups; ++slot) {
        const QString name = store.value(nameKey(slot)).toString();
        if (name.isEmpty())
            break;
        groups.append(SongGroup::fromStored(name, store.value(dataKey(slot)).toByteArray()));
    }
    store.endGroup();
    return groups;
}

void saveGroups(QSettings &store, const SongGroupList &groups)
{
    store.beginGroup(kSection);
    for (int slot = 1; slot <= SongGroup::kMaxGroups; ++slot) {
        const SongGroup group = slot <= groups.size() ? groups.at(slot - 1) : SongGroup();
        store.setValue(nameKey(slot), group.name);
        store.setValue(dataKey(slot), group.toStoredBytes());
    }
    store.endGroup();
    store.sync();
}

quint32 groupColour(const SongGroupList &groups, const QString &name)
{
    for (const SongGroup &group : groups) {
        if (group.name == name)
            return group.colour;
    }
    return SongGroup::kWhite;
}

bool setGroupColour(SongGroupList &groups, const QString &name, quint32 colour)
{
    for (SongGroup &group : groups) {
        if (group.name == name) {
            group.colour = colour & 0xFFFFFF;
            return true;
        }
    }
    return false;
}
