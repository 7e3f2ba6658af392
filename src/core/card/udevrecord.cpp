// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/udevrecord.h"

#include <QFile>

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

UdevRecord UdevRecord::parse(const QByteArray &text)
{
    UdevRecord record;
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray &line : lines) {
        if (!line.startsWith("E:"))
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals <= 2)
            continue;
        record.m_properties.insert(line.mid(2, equals - 2), line.mid(equals + 1));
    }
    return record;
}

UdevRecord UdevRecord::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.read(64 * 1024));
}

QString UdevRecord::decodeEscapes(const QByteArray &encoded)
{
    QByteArray bytes;
    bytes.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded.at(i) == '\\' && i + 3 < encoded.size() && encoded.at(i + 1) == 'x') {
            const int high = hexValue(encoded.at(i + 2));
            const int low = hexValue(encoded.at(i + 3));
            if (high >= 0 && low >= 0) {
                bytes.append(char(high * 16 + low));
                i += 3;
                continue;
            }
        }
        bytes.append(encoded.at(i));
    }
    return QString::fromUtf8(bytes);
}

QString UdevRecord::label() const
{
    return decodeEscapes(value("ID_FS_LABEL_ENC"));
}

QString UdevRecord::fileSystem() const
{
    return fileSystemName(QString::fromUtf8(value("ID_FS_TYPE")), QString::fromUtf8(value("ID_FS_VERSION")));
}

QString fileSystemName(const QString &type, const QString &version)
{
    if (type == u"vfat") {
        if (version == u"FAT32" || version == u"FAT16" || version == u"FAT12")
            return version;
        return QStringLiteral("VFAT");
    }
    if (type == u"exfat")
        return QStringLiteral("exFAT");
    return type.toUpper();
}
