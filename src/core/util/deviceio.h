// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The checks the file format readers and writers make on the device they are given.

// False, with a reason in *error, when device is not open for reading.
bool checkReadable(const QIODevice &device, QString *error = nullptr);
// Writes all of bytes; false, with the device's reason in *error, when any of them was not taken.
bool writeAll(QIODevice &device, const QByteArray &bytes, QString *error = nullptr);
