// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/checkedwrite.h"

#include <QIODevice>

bool writeAll(QIODevice &device, const QByteArray &bytes, QString *error)
{
    if (device.write(bytes) == bytes.size())
        return true;
    if (error)
        *error = device.errorString();
    return false;
}
