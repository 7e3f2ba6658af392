// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/song.h"

#include <QRandomGenerator>
#include <QString>

// Songs that look like real hymns (stanzas of worded lines, often a refrain sung between them),
// reproducible from a seed; the building block of synthetic libraries and cards.
namespace SyntheticSongs {

struct Options
{
    int count = 5000;
    int firstNumber = 1;
    quint32 seed = 1;
    CharsetMode charset = CharsetMode::Latin;
    SongKind kind = SongKind::Song;
};

// 2..6 stanzas of 1..3 screens, a refrain in about half of them, titles short enough for the
// 39-character name limit.
Song makeSong(int number, QRandomGenerator &random, CharsetMode charset, SongKind kind = SongKind::Song);

// The file name a song of that number and title gets: "%.4d Title.txt" or ".ekr".
QString fileName(const Song &song);

// Writes options.count files into dir (created when missing), numbered from options.firstNumber.
bool writeSongs(const QString &dir, const Options &options, QString *error = nullptr);

} // namespace SyntheticSongs
