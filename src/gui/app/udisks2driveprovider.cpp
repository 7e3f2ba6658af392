// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/udisks2driveprovider.h"

#include "core/card/mountinfo.h"
#include "core/card/udevrecord.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

const QString kObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

// Values the cache keeps in plain form: a list of byte arrays ("aay", MountPoints) arrives
// as a QDBusArgument that refers to the message.
QVariantMap plainProperties(const QVariantMap &properties)
{
    QVariantMap result = properties;
    for (auto it = result.begin(); it != result.end(); ++it) {
        if (it->metaType() != QMetaType::fromType<QDBusArgument>())
            continue;
        const QDBusArgument argument = it->value<QDBusArgument>();
        if (argument.currentSignature() == u"aay") {
            QByteArrayList list;
            argument >> list;
            *it = QVariant::fromValue(list);
        } else {
            *it = QVariant();
        }
    }
    return result;
}

// a{sa{sv}}: interface name -> properties.
UDisks2DriveProvider::Interfaces readInterfaces(const QDBusArgument &argument)
{
    UDisks2DriveProvider::Interfaces result;
    argument.beginMap();
    while (!argument.atEnd()) {
        QString name;
        QVariantMap properties;
        argument.beginMapEntry();
        argument >> name >> properties;
        argument.endMapEntry();
        result.insert(name, plainProperties(properties));
    }
    argument.endMap();
    return result;
}

QByteArrayList byteArrays(const QVariant &value)
{
    return value.metaType() == QMetaType::fromType<QByteArrayList>() ? value.value<QByteArrayList>() : QByteArrayList();
}

bool isReadOnlyMount(const QList<MountInfoEntry> &mounts, const QString &mountPoint)
{
    const MountInfoEntry *mount = MountInfo::findMountPoint(mounts, mountPoint);
    return mount && mount->readOnly;
}

} // namespace

namespace UDisks2 {

QString fileName(const QByteArray &bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    return QFile::decodeName(end >= 0 ? bytes.left(end) : bytes);
}

} // namespace UDisks2

UDisks2DriveProvider::UDisks2DriveProvider(const QDBusConnection &bus, QObject *parent) : QObject(parent), m_bus(bus)
{
    if (!m_bus.isConnected())
        return;
    auto *watcher = new QDBusServiceWatcher(UDisks2::kService, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, &UDisks2DriveProvider::serviceGone);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &UDisks2DriveProvider::requestObjects);
    m_bus.connect(UDisks2::kService, UDisks2::kManagerPath, kObjectManager, QStringLiteral("InterfacesAdded"), this,
                  SLOT(interfacesAdded(QDBusMessage)));
    m_bus.connect(UDisks2::kService, UDisks2::kManagerPath, kObjectManager, QStringLiteral("InterfacesRemoved"), this,
                  SLOT(interfacesRemoved(QDBusMessage)));
    // An empty path matches the signal of every object.
    m_bus.connect(UDisks2::kService, QString(), kProperties, QStringLiteral("PropertiesChanged"), this,
                  SLOT(propertiesChanged(QDBusMessage)));
    requestObjects();
}

void UDisks2DriveProvider::requestObjects()
{
    const QDBusMessage call = QDBusMessage::createMethodCall(UDisks2::kService, UDisks2::kManagerPath, kObjectManager,
                                                             QStringLiteral("GetManagedObjects"));
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    watcher->setProperty("generation", m_generation);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &UDisks2DriveProvider::objectsReceived);
}

void UDisks2DriveProvider::objectsReceived(QDBusPendingCallWatcher *watcher)
{
    watcher->deleteLater();
    const QDBusMessage reply = watcher->reply();
    if (watcher->property("generation").toInt() != m_generation || reply.type() != QDBusMessage::ReplyMessage
        || reply.signature() != u"a{oa{sa{sv}}}")
        return; // no service, no answer in time, or not the answer asked for: the fallback stays
    const QDBusArgument argument = reply.arguments().constFirst().value<QDBusArgument>();
    QHash<QString, Interfaces> objects;
    argument.beginMap();
    while (!argument.atEnd()) {
        QDBusObjectPath path;
        argument.beginMapEntry();
        argument >> path;
        const Interfaces interfaces = readInterfaces(argument);
        argument.endMapEntry();
        objects.insert(path.path(), interfaces);
    }
    argument.endMap();
    m_objects = objects;
    const bool first = !m_answered;
    m_answered = true;
    mountAutomaticOnes();
    if (first)
        emit answered();
}

void UDisks2DriveProvider::serviceGone()
{
    ++m_generation;
    m_answered = false;
    m_objects.clear();
}

void UDisks2DriveProvider::interfacesAdded(const QDBusMessage &message)
{
    if (!m_answered || message.signature() != u"oa{sa{sv}}")
        return;
    const QString path = message.arguments().at(0).value<QDBusObjectPath>().path();
    addInterfaces(path, readInterfaces(message.arguments().at(1).value<QDBusArgument>()));
    mountAutomaticOnes();
}

void UDisks2DriveProvider::addInterfaces(const QString &path, const Interfaces &interfaces)
{
    Interfaces &object = m_objects[path];
    for (auto it = interfaces.begin(); it != interfaces.end(); ++it)
        object.insert(it.key(), it.value());
}

void UDisks2DriveProvider::interfacesRemoved(const QDBusMessage &message)
{
    if (message.signature() != u"oas")
        return;
    const QString path = message.arguments().at(0).value<QDBusObjectPath>().path();
    auto object = m_objects.find(path);
    if (object == m_objects.end())
        return;
    for (const QString &name : message.arguments().at(1).toStringList())
        object->remove(name);
    if (object->isEmpty())
        m_objects.erase(object);
}

void UDisks2DriveProvider::propertiesChanged(const QDBusMessage &message)
{
    if (message.signature() != u"sa{sv}as")
        return;
    auto object = m_objects.find(message.path());
    if (object == m_objects.end())
        return;
    const QString name = message.arguments().at(0).toString();
    auto interface = object->find(name);
    if (interface == object->end())
        return;
    QVariantMap changed;
    message.arguments().at(1).value<QDBusArgument>() >> changed;
    changed = plainProperties(changed);
    for (auto it = changed.begin(); it != changed.end(); ++it)
        interface->insert(it.key(), it.value());
    for (const QString &invalidated : message.arguments().at(2).toStringList())
        interface->remove(invalidated);
    mountAutomaticOnes();
}

bool UDisks2DriveProvider::isRemovableFileSystem(const Interfaces &object) const
{
    if (!object.contains(UDisks2::kFilesystem) || !object.contains(UDisks2::kBlock))
        return false;
    const QVariantMap block = object.value(UDisks2::kBlock);
    if (block.value(QStringLiteral("HintSystem")).toBool() || block.value(QStringLiteral("HintIgnore")).toBool())
        return false;
    const QString drivePath = block.value(QStringLiteral("Drive")).value<QDBusObjectPath>().path();
    const QVariantMap drive = m_objects.value(drivePath).value(UDisks2::kDrive);
    const QString bus = drive.value(QStringLiteral("ConnectionBus")).toString();
    return drive.value(QStringLiteral("Removable")).toBool() || drive.value(QStringLiteral("MediaRemovable")).toBool()
        || bus == u"usb" || bus == u"sdio";
}

void UDisks2DriveProvider::mountAutomaticOnes()
{
    for (auto it = m_objects.cbegin(); it != m_objects.cend(); ++it) {
        const Interfaces &object = it.value();
        // Decided once, when the file system is first seen: one unmounted later (by the user, or
        // by the formatter just before it formats) stays unmounted.
        if (m_mountDecided.contains(it.key()) || !isRemovableFileSystem(object))
            continue;
        m_mountDecided.insert(it.key());
        if (!object.value(UDisks2::kBlock).value(QStringLiteral("HintAuto")).toBool()
            || !byteArrays(object.value(UDisks2::kFilesystem).value(QStringLiteral("MountPoints"))).isEmpty())
            continue;
        QDBusMessage call = QDBusMessage::createMethodCall(UDisks2::kService, it.key(), UDisks2::kFilesystem,
                                                           QStringLiteral("Mount"));
        call << QVariantMap();
        // The answer does not matter: a mounted file system shows through its properties.
        m_bus.asyncCall(call);
    }
}

QList<DriveEntry> UDisks2DriveProvider::drives() const
{
    QList<DriveEntry> result;
    QList<MountInfoEntry> mounts;
    bool mountsRead = false;
    for (auto it = m_objects.cbegin(); it != m_objects.cend(); ++it) {
        const Interfaces &object = it.value();
        if (!isRemovableFileSystem(object))
            continue;
        const QByteArrayList mountPoints = byteArrays(
            object.value(UDisks2::kFilesystem).value(QStringLiteral("MountPoints")));
        const QString mountPoint = mountPoints.isEmpty() ? QString() : UDisks2::fileName(mountPoints.constFirst());
        if (mountPoint.isEmpty())
            continue;
        const QVariantMap block = object.value(UDisks2::kBlock);
        DriveEntry entry;
        entry.rootPath = mountPoint.endsWith(u'/') ? mountPoint : mountPoint + u'/';
        if (!std::exchange(mountsRead, true))
            mounts = MountInfo::load(QStringLiteral("/proc/self/mountinfo"));
        entry.readOnly = block.value(QStringLiteral("ReadOnly")).toBool() || isReadOnlyMount(mounts, mountPoint);
        entry.label = block.value(QStringLiteral("IdLabel")).toString();
        if (entry.label.isEmpty())
            entry.label = QFileInfo(mountPoint).fileName();
        entry.device = UDisks2::fileName(block.value(QStringLiteral("Device")).toByteArray());
        entry.fileSystem = fileSystemName(block.value(QStringLiteral("IdType")).toString(),
                                          block.value(QStringLiteral("IdVersion")).toString());
        result.append(entry);
    }
    // The hash has no order; the list must not reshuffle between polls.
    std::sort(result.begin(), result.end(),
              [](const DriveEntry &a, const DriveEntry &b) { return a.rootPath < b.rootPath; });
    return result;
}

QString UDisks2DriveProvider::objectOfDevice(const QString &device) const
{
    for (auto it = m_objects.cbegin(); it != m_objects.cend(); ++it) {
        const QVariantMap block = it->value(UDisks2::kBlock);
        if (!block.isEmpty() && UDisks2::fileName(block.value(QStringLiteral("Device")).toByteArray()) == device)
            return it.key();
    }
    return {};
}

QList<DriveEntry> RemovableDriveProvider::drives() const
{
    if (m_udisks && m_udisks->hasAnswered())
        return m_udisks->drives();
    return m_fallback ? m_fallback->drives() : QList<DriveEntry>();
}
