// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/mounteddriveprovider.h"

#include "core/card/mountinfo.h"
#include "core/card/udevrecord.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

QByteArray readSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(256).trimmed();
}

QString deviceNumber(int major, int minor)
{
    return QString::number(major) + u':' + QString::number(minor);
}

// The disk a block device belongs to: "sdb1" -> "sdb", "mmcblk0p1" -> "mmcblk0".
QString diskOfPartition(const QString &name, bool isPartition)
{
    if (!isPartition)
        return name;
    qsizetype end = name.size();
    while (end > 0 && name.at(end - 1).isDigit())
        --end;
    // Disks whose name ends in a digit separate the partition number with "p".
    if (end >= 2 && name.at(end - 1) == u'p' && name.at(end - 2).isDigit())
        --end;
    return end > 0 ? name.left(end) : name;
}

} // namespace

MountedDriveProvider::MountedDriveProvider(QString systemRoot) : m_root(std::move(systemRoot))
{
    if (!m_root.endsWith(u'/'))
        m_root += u'/';
}

QString MountedDriveProvider::path(const QString &relative) const
{
    return m_root + relative;
}

QString MountedDriveProvider::blockName(int major, int minor, const QString &source) const
{
    // sys/dev/block/<major>:<minor> links to the device's folder, named after it.
    const QFileInfo link(path(QStringLiteral("sys/dev/block/") + deviceNumber(major, minor)));
    if (link.isSymLink())
        return QFileInfo(link.symLinkTarget()).fileName();
    const QString name = QFileInfo(source).fileName();
    return QFileInfo::exists(path(QStringLiteral("sys/class/block/") + name)) ? name : QString();
}

QString MountedDriveProvider::diskOf(const QString &name) const
{
    const bool isPartition = QFileInfo::exists(path(QStringLiteral("sys/class/block/") + name + u"/partition"));
    return diskOfPartition(name, isPartition);
}

bool MountedDriveProvider::isRemovableDisk(const QString &disk, const QByteArray &bus) const
{
    const QString sysBlock = path(QStringLiteral("sys/block/") + disk);
    if (readSmallFile(sysBlock + u"/removable") == "1" || bus == "usb")
        return true;
    // An SD card slot says "SD"; an eMMC chip, often the system disk, says "MMC".
    return disk.startsWith(u"mmcblk") && readSmallFile(sysBlock + u"/device/type") == "SD";
}

QList<DriveEntry> MountedDriveProvider::drives() const
{
    const QList<MountInfoEntry> mounts = MountInfo::load(path(QStringLiteral("proc/self/mountinfo")));
    QString systemDisk;
    for (const MountInfoEntry &mount : mounts) {
        if (mount.mountPoint == u"/") {
            const QString name = blockName(mount.major, mount.minor, mount.source);
            systemDisk = name.isEmpty() ? QString() : diskOf(name);
        }
    }

    QList<DriveEntry> result;
    QSet<QString> seen;
    for (const MountInfoEntry &mount : mounts) {
        // Virtual file systems have major 0; a bind mount of a subfolder is not the volume.
        if (mount.major == 0 || mount.root != u"/" || mount.mountPoint == u"/")
            continue;
        const QString number = deviceNumber(mount.major, mount.minor);
        if (seen.contains(number))
            continue;
        const QString name = blockName(mount.major, mount.minor, mount.source);
        if (name.isEmpty())
            continue;
        const QString disk = diskOf(name);
        if (disk == systemDisk)
            continue;
        const UdevRecord udev = UdevRecord::load(path(QStringLiteral("run/udev/data/b") + number));
        if (!isRemovableDisk(disk, udev.value("ID_BUS")))
            continue;
        seen.insert(number);

        DriveEntry entry;
        entry.rootPath = mount.mountPoint + u'/';
        entry.readOnly = mount.readOnly;
        entry.label = udev.label();
        if (entry.label.isEmpty())
            entry.label = QFileInfo(mount.mountPoint).fileName();
        entry.device = mount.source;
        entry.fileSystem = udev.value("ID_FS_TYPE").isEmpty() ? fileSystemName(mount.fsType, QString())
                                                              : udev.fileSystem();
        result.append(entry);
    }
    return result;
}
