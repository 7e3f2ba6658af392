// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A UDisks2 service for tests: an object tree on a private bus that answers GetManagedObjects,
// records every method call, answers Mount, Unmount, Format and Properties.Get, and emits the
// signals a real service would.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QMap>
#include <QProcess>

namespace FakeUDisks2 {

using Interfaces = QMap<QString, QVariantMap>;
using Objects = QMap<QDBusObjectPath, Interfaces>;

inline const QString kService = QStringLiteral("org.freedesktop.UDisks2");
inline const QString kRoot = QStringLiteral("/org/freedesktop/UDisks2");
inline const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
inline const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
inline const QString kDrive = QStringLiteral("org.freedesktop.UDisks2.Drive");

inline QString path(const QString &name)
{
    return kRoot + u'/' + name;
}

inline QVariantMap drive(bool removable, const QString &bus)
{
    return {{QStringLiteral("Removable"), removable}, {QStringLiteral("ConnectionBus"), bus}};
}

inline QVariantMap block(const QByteArray &device, const QString &drive, const QString &version,
                         const QString &label = {}, bool hintSystem = false)
{
    return {{QStringLiteral("Device"), QByteArray(device + '\0')},
            {QStringLiteral("Drive"), QVariant::fromValue(QDBusObjectPath(path(drive)))},
            {QStringLiteral("IdType"), QStringLiteral("vfat")},
            {QStringLiteral("IdVersion"), version},
            {QStringLiteral("IdLabel"), label},
            {QStringLiteral("HintSystem"), hintSystem},
            {QStringLiteral("HintAuto"), true},
            {QStringLiteral("ReadOnly"), false}};
}

inline QVariantMap mountPoints(const QByteArrayList &points)
{
    return {{QStringLiteral("MountPoints"), QVariant::fromValue(points)}};
}

// A file system's block and mount points.
inline Interfaces partition(const QByteArray &device, const QString &drive, const QString &version,
                            const QByteArrayList &points, const QString &label = {}, bool hintSystem = false)
{
    return {{kBlock, block(device, drive, version, label, hintSystem)}, {kFilesystem, mountPoints(points)}};
}

struct Call
{
    QString path;
    QString member;
    QVariantList arguments;
};

class Service : public QDBusVirtualObject
{
public:
    explicit Service(QDBusConnection bus) : m_bus(std::move(bus))
    {
        qDBusRegisterMetaType<QByteArrayList>();
        qDBusRegisterMetaType<Interfaces>();
        qDBusRegisterMetaType<Objects>();
    }

    bool start()
    {
        return m_bus.registerVirtualObject(kRoot, this, QDBusConnection::SubPath) && m_bus.registerService(kService);
    }

    Objects objects;
    QList<Call> calls;
    QString formatError; // error name Format answers with; empty: success
    QString versionAfterFormat = QStringLiteral("FAT32");

    int count(const QString &member, const QString &object = {}) const
    {
        int n = 0;
        for (const Call &call : calls)
            n += call.member == member && (object.isEmpty() || call.path == object);
        return n;
    }

    void add(const QString &name, const Interfaces &interfaces)
    {
        objects[QDBusObjectPath(path(name))] = interfaces;
        emitSignal(kRoot, QStringLiteral("org.freedesktop.DBus.ObjectManager"), QStringLiteral("InterfacesAdded"),
                   {QVariant::fromValue(QDBusObjectPath(path(name))), QVariant::fromValue(interfaces)});
    }

    void remove(const QString &name)
    {
        const QStringList names = objects.take(QDBusObjectPath(path(name))).keys();
        emitSignal(kRoot, QStringLiteral("org.freedesktop.DBus.ObjectManager"), QStringLiteral("InterfacesRemoved"),
                   {QVariant::fromValue(QDBusObjectPath(path(name))), names});
    }

    // Changes properties of an object (known or not) and says so.
    void change(const QString &objectPath, const QString &interface, const QVariantMap &properties)
    {
        for (auto it = properties.begin(); it != properties.end(); ++it)
            objects[QDBusObjectPath(objectPath)][interface][it.key()] = it.value();
        emitSignal(objectPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"),
                   {interface, properties, QStringList()});
    }

    QString introspect(const QString &) const override { return {}; }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        calls.append({message.path(), message.member(), message.arguments()});
        const QString member = message.member();
        QDBusMessage reply = message.createReply();
        if (member == u"GetManagedObjects") {
            reply = message.createReply(QVariant::fromValue(objects));
        } else if (member == u"Format" && !formatError.isEmpty()) {
            reply = message.createErrorReply(formatError, QStringLiteral("Not authorized to perform operation"));
        } else if (member == u"Format") {
            change(message.path(), kBlock, {{QStringLiteral("IdVersion"), versionAfterFormat}});
        } else if (member == u"Mount") {
            change(message.path(), kFilesystem, mountPoints({"/media/u/mounted"}) /* no NUL at the end */);
            reply = message.createReply(QStringLiteral("/media/u/mounted"));
        } else if (member == u"Unmount") {
            change(message.path(), kFilesystem, mountPoints({}));
        } else if (member == u"Get") {
            const QVariant value = objects.value(QDBusObjectPath(message.path()))
                                       .value(message.arguments().value(0).toString())
                                       .value(message.arguments().value(1).toString());
            reply = message.createReply(QVariant::fromValue(QDBusVariant(value)));
        }
        connection.send(reply);
        return true;
    }

private:
    void emitSignal(const QString &objectPath, const QString &interface, const QString &name, const QVariantList &args)
    {
        QDBusMessage signal = QDBusMessage::createSignal(objectPath, interface, name);
        signal.setArguments(args);
        m_bus.send(signal);
    }

    QDBusConnection m_bus;
};

} // namespace FakeUDisks2
