// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QString>
#include <QVariantMap>

// A second start hands its file (uri, empty for none) to the running program: over the session
// bus, else the local socket, retried for a while since the first may still be starting.
// True once the running program accepted it.
bool forwardToRunning(const QString &uri, const QVariantMap &platformData, QDBusConnection bus,
                      const QString &socketPath);

// The start's own activation data from the environment (startup notification, Wayland).
QVariantMap startPlatformData();
