// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

struct LyricSong;

// A song that holds its verses in several languages (translations, a transliteration) goes to the
// board in one of them: the board shows one text at a time.
namespace LyricLanguage {

// The languages of the song's blocks in order of first appearance ("he/en" is Hebrew
// transliterated for English readers); empty when no block names one.
QStringList languages(const LyricSong &song);

// The language to import: wanted when the song has it, else the program's language, else the
// first whose letters the board shows, else the first; empty when the song names none.
// Languages match by their primary tag ("pl" matches "pl-PL").
QString choose(const LyricSong &song, const QString &wanted, const QString &programLanguage);

// Keeps the blocks in language and those that name none; verses left without a block are
// dropped. *leftOut receives the other languages (the first 20, then "...").
void keepOnly(LyricSong &song, const QString &language, QStringList *leftOut);

// The title in language, else in the program's language, else the first one; empty when none.
QString title(const LyricSong &song, const QString &language, const QString &programLanguage);

} // namespace LyricLanguage
