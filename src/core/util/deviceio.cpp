// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/deviceio.h"

#include <QIODevice>

bool checkReadable(const QIODevice &device, QString *error)
{
    if (device.isReadable())
        return true;
    if (error)
        *error = QStringLiteral("The file is not open for reading");
    return false;
}

bool writeAll(QIODevice &device, const QByteArray &bytes, QString *error)
{
    if (device.write(bytes) == bytes.size())
        return true;
    if (error)
        *error = device.errorString();
    return false;
}
