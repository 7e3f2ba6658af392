// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/driveprovider.h"

// The removable drives as the kernel and udev see them, for systems without UDisks2: the mounted
// block devices of /proc/self/mountinfo whose disk is removable (/sys/block/<disk>/removable, a
// USB bus in the udev database, or an SD card in an mmcblk slot), never the disk holding "/".
// Each poll is a handful of small file reads.
class MountedDriveProvider : public DriveProvider
{
public:
    // systemRoot: the folder holding proc/, sys/ and run/ ("/" on a running system; tests pass a
    // fixture tree).
    explicit MountedDriveProvider(QString systemRoot = QStringLiteral("/"));
    QList<DriveEntry> drives() const override;

private:
    QString path(const QString &relative) const;
    QString blockName(int major, int minor, const QString &source) const;
    QString diskOf(const QString &name) const;
    bool isRemovableDisk(const QString &disk, const QByteArray &bus) const;

    QString m_root;
};
