// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Writes all of bytes; false, with the device's reason in *error, when any of them was not taken.
bool writeAll(QIODevice &device, const QByteArray &bytes, QString *error = nullptr);
