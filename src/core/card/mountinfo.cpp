// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/mountinfo.h"

#include "core/util/fileutils.h"

#include <QFile>

namespace {

bool hasOption(const QByteArray &options, const char *name)
{
    const QList<QByteArray> parts = options.split(',');
    for (const QByteArray &part : parts) {
        if (part == name)
            return true;
    }
    return false;
}

bool isOctal(char c)
{
    return c >= '0' && c <= '7';
}

} // namespace

namespace MountInfo {

QString unescape(const QByteArray &field)
{
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c == '\\' && i + 3 < field.size() && isOctal(field.at(i + 1)) && isOctal(field.at(i + 2))
            && isOctal(field.at(i + 3))) {
            const int value = (field.at(i + 1) - '0') * 64 + (field.at(i + 2) - '0') * 8 + (field.at(i + 3) - '0');
            bytes.append(char(value & 0xFF));
            i += 3;
        } else {
            bytes.append(c);
        }
    }
    return QFile::decodeName(bytes);
}

QList<MountInfoEntry> parse(const QByteArray &text)
{
    QList<MountInfoEntry> result;
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        // id parent major:minor root mountpoint options [optional...] - fstype source superoptions
        const qsizetype dash = fields.indexOf("-", 6);
        if (fields.size() < 10 || dash < 0 || dash + 3 >= fields.size())
            continue;
        const QList<QByteArray> device = fields.at(2).split(':');
        bool majorOk = false;
        bool minorOk = false;
        MountInfoEntry entry;
        if (device.size() == 2) {
            entry.major = device.at(0).toInt(&majorOk);
            entry.minor = device.at(1).toInt(&minorOk);
        }
        if (!majorOk || !minorOk)
            continue;
        entry.root = unescape(fields.at(3));
        entry.mountPoint = unescape(fields.at(4));
        entry.fsType = unescape(fields.at(dash + 1));
        entry.source = unescape(fields.at(dash + 2));
        entry.readOnly = hasOption(fields.at(5), "ro") || hasOption(fields.at(dash + 3), "ro");
        result.append(entry);
    }
    return result;
}

QList<MountInfoEntry> load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A proc file reports no size: read to its end.
    return parse(file.readAll());
}

const MountInfoEntry *findMountPoint(const QList<MountInfoEntry> &entries, const QString &mountPoint)
{
    const QString wanted = withoutTrailingSlash(mountPoint);
    const MountInfoEntry *found = nullptr;
    for (const MountInfoEntry &entry : entries) {
        if (entry.mountPoint == wanted)
            found = &entry;
    }
    return found;
}

} // namespace MountInfo
