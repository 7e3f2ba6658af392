// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/song.h"
#include "core/util/textids.h"
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

// A table field with its escapes undone: \t, \r, \n, \0, \\ and \xNN or \uNNNN for one UTF-16
// unit (a lone surrogate too). Fields meant as bytes take toLatin1() of the result.
inline QString unescaped(const QString &field)
{
    QString out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field[i];
        const QChar next = i + 1 < field.size() ? field[i + 1] : QChar();
        if (c != u'\\' || next.isNull()) {
            out += c;
        } else if (next == u'x' || next == u'u') {
            const qsizetype digits = next == u'x' ? 2 : 4;
            out += QChar(char16_t(field.mid(i + 2, digits).toUShort(nullptr, 16)));
            i += 1 + digits;
        } else {
            const qsizetype at = QStringView(u"trn0").indexOf(next);
            out += at < 0 ? next : QChar(u"\t\r\n"[at]);
            ++i;
        }
    }
    return out;
}

// Whole numbers separated by commas ("1,r,2"; "r" is the refrain in a song's sequence).
inline QList<int> numbers(const QString &field)
{
    QList<int> list;
    for (const QString &entry : field.split(u',', Qt::SkipEmptyParts))
        list << (entry == u"r" ? RefrainMarker : entry.toInt());
    return list;
}

// The text ids a table names ("TitleTooLong"), separated by commas; 0 for "-".
inline QList<int> textIds(const QString &field)
{
    QList<int> ids;
    for (const QString &name : field.split(u',', Qt::SkipEmptyParts)) {
        int id = name == u"-" ? 0 : -1;
#define LUMIVOX_TABLE_TEXT_ID(n, value) \
    if (name == QLatin1StringView(#n))  \
        id = value;
        LUMIVOX_TEXT_IDS(LUMIVOX_TABLE_TEXT_ID)
#undef LUMIVOX_TABLE_TEXT_ID
        if (id < 0)
            qFatal("unknown text id %s", qPrintable(name));
        ids << id;
    }
    return ids;
}

} // namespace TestSupport
