// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/instanceclient.h"

#include "core/app/instancemessage.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

namespace {

constexpr int kRetryMs = 250;
constexpr int kGiveUpMs = 2000;
constexpr int kAnswerMs = 1000;

bool sendOverBus(QDBusConnection &bus, const QString &uri, const QVariantMap &platformData)
{
    const QString id = QString::fromUtf16(InstanceMessage::kAppId);
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(id))
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        id, QString::fromUtf16(InstanceMessage::kObjectPath), QStringLiteral("org.freedesktop.Application"),
        uri.isEmpty() ? QStringLiteral("Activate") : QStringLiteral("Open"));
    if (uri.isEmpty())
        call << platformData;
    else
        call << QStringList{uri} << platformData;
    return bus.call(call, QDBus::Block, kAnswerMs).type() == QDBusMessage::ReplyMessage;
}

bool sendOverSocket(const QString &path, const QString &uri)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kRetryMs))
        return false;
    socket.write(InstanceMessage::frame(uri));
    if (!socket.waitForBytesWritten(kAnswerMs))
        return false;
    QByteArray answer;
    while (answer.size() < 2 && socket.waitForReadyRead(kAnswerMs))
        answer += socket.readAll();
    return answer == "ok";
}

} // namespace

bool forwardToRunning(const QString &uri, const QVariantMap &platformData, QDBusConnection bus,
                      const QString &socketPath)
{
    const QDeadlineTimer deadline(kGiveUpMs);
    for (;;) {
        if (sendOverBus(bus, uri, platformData) || sendOverSocket(socketPath, uri))
            return true;
        if (deadline.remainingTime() < kRetryMs)
            return false;
        QThread::msleep(kRetryMs);
    }
}

QVariantMap startPlatformData()
{
    QVariantMap data;
    const QString startupId = qEnvironmentVariable("DESKTOP_STARTUP_ID");
    const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    if (!startupId.isEmpty())
        data.insert(QStringLiteral("desktop-startup-id"), startupId);
    if (!token.isEmpty())
        data.insert(QStringLiteral("activation-token"), token);
    return data;
}
