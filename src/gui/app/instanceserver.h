// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <optional>

class QLocalServer;

// Serves the requests of later starts while this process holds the single-instance lock:
// org.freedesktop.Application on the session bus, or, with no bus, a local socket that only
// this user can reach. It only passes requests on: whoever receives requested() decides.
class InstanceServer : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit InstanceServer(QObject *parent = nullptr);
    ~InstanceServer() override;

    // The socket beside the lock file.
    static QString defaultSocketPath();

    // False when neither way could be set up; the program then runs unreachable.
    bool listen(QDBusConnection bus, const QString &socketPath = defaultSocketPath());
    bool onBus() const { return m_bus.has_value(); }
    bool onSocket() const { return m_socket != nullptr; }

    // org.freedesktop.Application
public Q_SLOTS:
    void Activate(const QVariantMap &platformData);
    void Open(const QStringList &uris, const QVariantMap &platformData);
    void ActivateAction(const QString &name, const QVariantList &parameter, const QVariantMap &platformData);

signals:
    // uri is empty for a plain start; token is the start's activation token, if any.
    void requested(const QString &uri, const QString &token);

private:
    bool listenOnBus(QDBusConnection bus);
    bool listenOnSocket(const QString &path);
    void serveConnection();

    std::optional<QDBusConnection> m_bus;
    QLocalServer *m_socket = nullptr;
    int m_connections = 0;
};

// The activation token of a start from its platform data.
QString activationToken(const QVariantMap &platformData);
