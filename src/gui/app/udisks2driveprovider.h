// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/driveprovider.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QVariantMap>

#include <memory>

class QDBusMessage;
class QDBusPendingCallWatcher;

namespace UDisks2 {
inline const QString kService = QStringLiteral("org.freedesktop.UDisks2");
inline const QString kManagerPath = QStringLiteral("/org/freedesktop/UDisks2");
inline const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
inline const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
inline const QString kPartitionTable = QStringLiteral("org.freedesktop.UDisks2.PartitionTable");
inline const QString kDrive = QStringLiteral("org.freedesktop.UDisks2.Drive");
// A file name property ("ay"): its bytes without the trailing NUL, as a local file name.
QString fileName(const QByteArray &bytes);
} // namespace UDisks2

// The removable drives as UDisks2 reports them. One asynchronous GetManagedObjects fills a cache
// that the object manager's and the properties' signals keep current, so drives() never waits
// for the bus. A removable file system that UDisks2 would mount automatically but that nobody
// has mounted when it first shows up is mounted, once per run.
class UDisks2DriveProvider : public QObject, public DriveProvider
{
    Q_OBJECT
public:
    using Interfaces = QHash<QString, QVariantMap>;

    // Starts listening and asks for the objects; bus may be disconnected (then nothing answers).
    explicit UDisks2DriveProvider(const QDBusConnection &bus, QObject *parent = nullptr);

    // True once the service has answered and while it stays on the bus.
    bool hasAnswered() const { return m_answered; }
    QList<DriveEntry> drives() const override;

    QDBusConnection connection() const { return m_bus; }
    // The object path of the block device with this device file; empty when unknown.
    QString objectOfDevice(const QString &device) const;
    Interfaces interfaces(const QString &objectPath) const { return m_objects.value(objectPath); }
    // A file system on a removable drive that is neither a system device nor one to ignore.
    bool isRemovableFileSystem(const QString &objectPath) const
    {
        return isRemovableFileSystem(m_objects.value(objectPath));
    }

signals:
    // The service answered for the first time since it appeared on the bus.
    void answered();

private slots:
    void interfacesAdded(const QDBusMessage &message);
    void interfacesRemoved(const QDBusMessage &message);
    void propertiesChanged(const QDBusMessage &message);

private:
    void requestObjects();
    void objectsReceived(QDBusPendingCallWatcher *watcher);
    void serviceGone();
    void addInterfaces(const QString &path, const Interfaces &interfaces);
    bool isRemovableFileSystem(const Interfaces &object) const;
    void mountAutomaticOnes();

    QDBusConnection m_bus;
    QHash<QString, Interfaces> m_objects;
    QSet<QString> m_mountDecided;
    bool m_answered = false;
    int m_generation = 0; // replies to requests made before the service went away are dropped
};

// What the drive list asks: UDisks2 once it has answered, the fallback before that, without it,
// and after it has gone.
class RemovableDriveProvider : public DriveProvider
{
public:
    RemovableDriveProvider(std::shared_ptr<UDisks2DriveProvider> udisks, std::shared_ptr<DriveProvider> fallback)
        : m_udisks(std::move(udisks)), m_fallback(std::move(fallback))
    {}
    QList<DriveEntry> drives() const override;
    UDisks2DriveProvider *udisks() const { return m_udisks.get(); }

private:
    std::shared_ptr<UDisks2DriveProvider> m_udisks;
    std::shared_ptr<DriveProvider> m_fallback;
};
