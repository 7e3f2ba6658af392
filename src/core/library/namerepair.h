// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/charsetmode.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Names that are not valid UTF-8, as old cards and archives carry them in a code page of their
// time, read back in that code page and given that name.
namespace NameRepair {

struct Decoding
{
    QString encoding; // "windows-1250"
    QString name;     // the name read in it
};

// The readings offered for a name on a card of the given charset: Windows-1250 and ISO-8859-2
// for Latin cards (the same Polish letters lie on different bytes), Windows-1251 and KOI8-R for
// Cyrillic ones. Only readings that make a plain file name, each name once, the likeliest first.
QList<Decoding> decodings(QByteArrayView name, CharsetMode charset);

// Gives the file or folder at rawPath (below root, as the file system names it) the name
// newName in the same folder. Nothing is ever replaced: a name already taken is refused. False
// with the reason in *error.
bool rename(const QString &root, const QByteArray &rawPath, const QString &newName, QString *error = nullptr);

} // namespace NameRepair
