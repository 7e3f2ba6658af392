// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/instanceserver.h"

#include "core/app/instancemessage.h"
#include "core/app/singleinstance.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <sys/un.h>

namespace {

// Bounds what clients can make this process hold: each at most the largest message.
constexpr int kMaxConnections = 16;
constexpr int kMessageTimeoutMs = 1000;

QString appId()
{
    return QString::fromUtf16(InstanceMessage::kAppId);
}

} // namespace

QString activationToken(const QVariantMap &platformData)
{
    const QString token = platformData.value(QStringLiteral("activation-token")).toString();
    return token.isEmpty() ? platformData.value(QStringLiteral("desktop-startup-id")).toString() : token;
}

InstanceServer::InstanceServer(QObject *parent) : QObject(parent) {}

InstanceServer::~InstanceServer()
{
    if (m_bus) {
        m_bus->unregisterObject(QString::fromUtf16(InstanceMessage::kObjectPath));
        m_bus->unregisterService(appId());
    }
}

QString InstanceServer::defaultSocketPath()
{
    return QDir(SingleInstance::defaultLockDir()).filePath(appId() + u".socket");
}

bool InstanceServer::listen(QDBusConnection bus, const QString &socketPath)
{
    return listenOnBus(bus) || listenOnSocket(socketPath);
}

bool InstanceServer::listenOnBus(QDBusConnection bus)
{
    if (!bus.isConnected())
        return false;
    if (!bus.registerObject(QString::fromUtf16(InstanceMessage::kObjectPath),
                            QStringLiteral("org.freedesktop.Application"), this, QDBusConnection::ExportAllSlots))
        return false;
    if (!bus.registerService(appId())) {
        bus.unregisterObject(QString::fromUtf16(InstanceMessage::kObjectPath));
        return false;
    }
    m_bus = bus;
    return true;
}

bool InstanceServer::listenOnSocket(const QString &path)
{
    // A path too long for a socket address disables only this way in.
    if (path.toLocal8Bit().size() >= qsizetype(sizeof(sockaddr_un::sun_path)))
        return false;
    const QString dir = QFileInfo(path).absolutePath();
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path) && server->serverError() == QAbstractSocket::AddressInUseError) {
        // We hold the lock, so the socket is a leftover of a killed holder.
        QLocalServer::removeServer(path);
        server->listen(path);
    }
    if (!server->isListening()) {
        delete server;
        return false;
    }
    connect(server, &QLocalServer::newConnection, this, &InstanceServer::serveConnection);
    m_socket = server;
    return true;
}

void InstanceServer::serveConnection()
{
    while (QLocalSocket *socket = m_socket->nextPendingConnection()) {
        if (m_connections >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++m_connections;
        auto reader = std::make_shared<InstanceMessage::Reader>();
        const auto close = [this, socket] {
            if (socket->property("closed").toBool())
                return;
            socket->setProperty("closed", true);
            --m_connections;
            socket->abort();
            socket->deleteLater();
        };
        QTimer::singleShot(kMessageTimeoutMs, socket, close);
        connect(socket, &QLocalSocket::disconnected, socket, close);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket, reader, close] {
            // Read no more than a message can hold, so a flood stays in the kernel's buffer.
            const QByteArray bytes = socket->read(InstanceMessage::kMaxPayload + 8);
            switch (reader->feed(bytes)) {
            case InstanceMessage::Reader::State::Incomplete:
                return;
            case InstanceMessage::Reader::State::Invalid:
                close();
                return;
            case InstanceMessage::Reader::State::Complete:
                socket->write("ok");
                socket->flush();
                socket->disconnectFromServer();
                emit requested(reader->uri(), {});
                return;
            }
        });
    }
}

void InstanceServer::Activate(const QVariantMap &platformData)
{
    emit requested({}, activationToken(platformData));
}

void InstanceServer::Open(const QStringList &uris, const QVariantMap &platformData)
{
    // One project at a time: anything but one URI is passed on as it is and refused there.
    emit requested(uris.size() == 1 ? uris.first() : QStringLiteral("?"), activationToken(platformData));
}

void InstanceServer::ActivateAction(const QString &, const QVariantList &, const QVariantMap &)
{
    sendErrorReply(QDBusError::NotSupported, QStringLiteral("This program has no actions."));
}
