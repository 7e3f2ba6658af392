// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/driveprovider.h"

#include <QDBusMessage>
#include <QString>

class QWidget;
class UDisks2DriveProvider;

// Formats a removable card as FAT32 through UDisks2, after a question and a label: unmount,
// Block.Format("vfat"), mount again, then check which FAT size mkfs chose. Without UDisks2 it
// says how to do it by hand. Folder cards, read-only cards, system disks and the whole disk of
// a partitioned card are never formatted.
class CardFormatter
{
public:
    enum class Result { Formatted, Declined, Cancelled, Failed };

    // A D-Bus call may take this long: formatting a large card is slow.
    static constexpr int kCallTimeoutMs = 10 * 60 * 1000;

    // udisks may be null (no system bus).
    CardFormatter(QWidget *owner, UDisks2DriveProvider *udisks) : m_owner(owner), m_udisks(udisks) {}

    // Only a removable, writable drive that is no folder card can be formatted.
    static bool canFormat(const DriveEntry &drive);
    // The command that formats device as FAT32 with label by hand.
    static QString manualCommand(const QString &device, const QString &label);

    Result format(const DriveEntry &drive);

private:
    Result formatWithUDisks2(const QString &object, const DriveEntry &drive, const QString &label);
    QDBusMessage call(const QString &object, const QString &interface, const QString &method,
                      const QVariantList &arguments);

    QWidget *m_owner;
    UDisks2DriveProvider *m_udisks;
};
