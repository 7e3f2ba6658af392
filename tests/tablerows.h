// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "testsupport.h"

namespace TestSupport {

// A table under tests/data: one row a line, its fields between tabs; blank lines and lines
// starting with '#' are left out.
inline QList<QStringList> tableRows(const QString &relative)
{
    QList<QStringList> rows;
    for (const QString &line : QString::fromUtf8(readFile(testData(relative))).split(u'\n')) {
        if (!line.isEmpty() && !line.startsWith(u'#'))
            rows << line.split(u'\t');
    }
    if (rows.isEmpty()) // a table that is gone must not pass as a test of no rows
        qFatal("no rows in %s", qPrintable(testData(relative)));
    return rows;
}

} // namespace TestSupport
