// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One line of /proc/self/mountinfo.
struct MountInfoEntry
{
    int major = 0;
    int minor = 0;
    QString root;          // the mounted folder inside the file system ("/" for a whole volume)
    QString mountPoint;    // escapes such as \040 decoded
    QString fsType;        // "vfat", "fuseblk", ...
    QString source;        // "/dev/sdb1"
    bool readOnly = false; // "ro" in the mount options or in the super block options

    bool operator==(const MountInfoEntry &) const = default;
};

namespace MountInfo {

// The entries of a mountinfo text, in file order; malformed lines are skipped.
QList<MountInfoEntry> parse(const QByteArray &text);
// Reads and parses a mountinfo file; empty when it cannot be read.
QList<MountInfoEntry> load(const QString &path);
// "\040" -> " ", "\134" -> "\"; the bytes decoded as a local file name.
QString unescape(const QByteArray &field);
// The entry mounted at mountPoint (with or without its trailing "/"), the last one when stacked.
const MountInfoEntry *findMountPoint(const QList<MountInfoEntry> &entries, const QString &mountPoint);

} // namespace MountInfo
