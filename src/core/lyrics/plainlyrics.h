// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

struct LyricMessage;
struct LyricPlan;

// A hymn kept as a plain text file, "153 Barka.txt": number and title in the name, the stanzas
// as paragraphs.
namespace PlainLyrics {

// The text of UTF-8 bytes (with or without a byte order mark) or of UTF-16 with one. Anything
// else is refused rather than guessed, and so is a board song file (a first line "#n" or "#k").
bool decode(const QByteArray &bytes, QString *text, LyricMessage *error);

// Number and title of a name such as "153 Barka.txt" (directory and extension are dropped);
// a name without a leading number gives 0 and the whole name as the title.
int numberOfName(QStringView fileName);
QString titleOfName(QStringView fileName);

// The stanzas of a text as the text import arranges them into blocks of ten lines: every block
// starts a stanza, except one that goes on with a paragraph which filled the block before.
// Each stanza comes out as one block of its lines; the stanzas are sung in order.
LyricPlan plan(const QString &text);

} // namespace PlainLyrics
