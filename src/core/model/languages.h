// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/charsetmode.h"

#include <QList>
#include <QString>

// The languages the program ships a text file for, one row each. Adding a language is its
// data/Language/<name>.lang file and one row here.
namespace Languages {

struct Row
{
    QString name;           // the language file's name without ".lang", as the language spells itself
    QString isoCode;        // written into the lyric files exported in this language
    CharsetMode charset;    // the board character set new songs get in this language
    QString paletteLetters; // the accented letters the special-character palette offers for it
    QString qtTranslation;  // Qt's own translation file (without ".qm") for the dialogs Qt draws
};

const QList<Row> &rows();

// A language name in NFC: a file name copied from another system may spell "Česky" decomposed.
QString normalizedName(const QString &name);
// Whether two language names are the same, whatever their Unicode form or letter case. Every
// lookup of a language by its name goes through here.
bool sameName(const QString &a, const QString &b);
// The row of this language; nullptr when the program ships no such language.
const Row *find(const QString &name);

// The board charset of a language; Latin for a name without a row, as for the fallback language.
CharsetMode charsetOf(const QString &name);
// The ISO code of a language; empty for a name without a row.
QString isoCodeOf(const QString &name);

} // namespace Languages
