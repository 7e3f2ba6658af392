// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QSettings;

// A song group as the settings store keeps it: name, colour and song-number range.
struct SongGroup
{
    static constexpr int kMaxGroups = 32;
    static constexpr int kStoredSize = 7;
    static constexpr quint32 kWhite = 0xFFFFFF;

    QString name;
    quint32 colour = kWhite; // 0xRRGGBB
    int firstNumber = 0;
    int lastNumber = 0;

    // 7 bytes: red, green, blue, firstNumber (high byte first), lastNumber (high byte first).
    QByteArray toStoredBytes() const;
    // Missing bytes of a short value read as those of an empty slot (white, range 0..0).
    static SongGroup fromStored(const QString &name, const QByteArray &bytes);

    friend bool operator==(const SongGroup &, const SongGroup &) = default;
};

using SongGroupList = QList<SongGroup>;

// Section "GroupColor", slots G1N/G1D .. G32N/G32D. Loading stops at the first empty name.
SongGroupList loadGroups(QSettings &store);
// Writes all 32 slots so that a removed group's old slot is overwritten.
void saveGroups(QSettings &store, const SongGroupList &groups);

// Colour of the first group named exactly so; white when there is none.
quint32 groupColour(const SongGroupList &groups, const QString &name);
// Sets the colour of the first group named exactly so; false when there is none.
bool setGroupColour(SongGroupList &groups, const QString &name, quint32 colour);
