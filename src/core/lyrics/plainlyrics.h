// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

struct LyricSong;

// A hymn kept as a plain text file, "153 Barka.txt": number and title in the name, the stanzas
// as paragraphs.
namespace PlainLyrics {

// Number and title of a name such as "153 Barka.txt" (directory and extension are dropped);
// a name without a leading number gives 0 and the whole name as the title.
int numberOfName(QStringView fileName);
QString titleOfName(QStringView fileName);

// The lines of a text, split at CR LF, LF or CR, without blanks at their ends.
QStringList lines(const QString &text);

// Whether a line is a credit (CCLI licence, copyright, words and music by ...).
bool isCredit(QStringView line);

// The stanzas of a text. Paragraphs (and lines "1." or "2)") start stanzas; a paragraph
// that starts with a refrain mark ("Ref.", "Refren:", "R.", "Chorus:", "Chór:", "Refrain:",
// "Refrén:", "Припев:") is
// the refrain, sung after every stanza, and a later mark alone or with the same text only
// repeats it. In a text with numbered stanzas a paragraph without number goes on with the
// stanza before it. Credits heading or closing the text are left out, and so is a first line
// that stands alone as the title: *titleLine receives it.
void read(const QString &text, LyricSong &song, QString *titleLine);

} // namespace PlainLyrics
