// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The properties of a udev database record (/run/udev/data/b<major>:<minor>): its "E:" lines.
class UdevRecord
{
public:
    static UdevRecord parse(const QByteArray &text);
    // Empty when the file is missing (a device udev has not seen, or no udev at all).
    static UdevRecord load(const QString &path);

    bool isEmpty() const { return m_properties.isEmpty(); }
    QByteArray value(const QByteArray &key) const { return m_properties.value(key); }
    // ID_FS_LABEL_ENC with its \xNN escapes decoded as UTF-8.
    QString label() const;
    QString fileSystem() const;

    // "\x20" -> the byte 0x20; the result read as UTF-8.
    static QString decodeEscapes(const QByteArray &encoded);

private:
    QHash<QByteArray, QByteArray> m_properties;
};

// The name the card wizard compares with "FAT32", from a file-system type and version as udev and
// UDisks2 report them: vfat by its FAT size, or "VFAT" when the size is unknown; exfat "exFAT",
// ntfs "NTFS", others upper-cased; empty for no type.
QString fileSystemName(const QString &type, const QString &version);
