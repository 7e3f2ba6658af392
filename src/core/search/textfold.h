// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The one folding of lyric search, for indexed texts and queries alike: case folded, accents on
// Latin letters dropped (ł, đ, ø, ß and ё mapped by hand, as they do not decompose), other
// scripts' letters kept whole (й is not и), apostrophes and quotes removed, every other
// punctuation mark or symbol a blank, blanks collapsed and trimmed.
namespace TextFold {

QString fold(QStringView text);
// The same folding appended to out in UTF-8, for indexes that store bytes.
void appendFolded(QStringView text, QByteArray &out);

} // namespace TextFold
