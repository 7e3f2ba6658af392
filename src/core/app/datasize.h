// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

// A byte count with its unit in the UI's language ("512 B", "1.50 MB"): steps of 1024, two
// decimals from kilobytes up, the number in the locale's notation, a no-break space before the unit.
QString dataSizeText(qint64 bytes, const QLocale &locale = QLocale());
