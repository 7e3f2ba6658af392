// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cliio.h"

// lumivox-cli import FILE... --card CARD --group NAME [--songbook NAME] [--board 20x10|16x6]
// [--encoding NAME] [--language CODE] [--tsv]: song files of other programs (OpenLyrics,
// OpenSong, ChordPro, SongBeamer, plain text), each recognised by its content, into a group of
// the card; exit 1 when a file was refused. usage is the usage text of the command it runs for.
struct LyricMessage;

// A message on stderr: its token and the system's or Qt's words when there are any.
QString lyricMessageLine(const LyricMessage &message);

int runImport(QStringList args, CliIo &io, const CliCommand &usage);
int runImportCommand(const QStringList &args, CliIo &io);

inline constexpr CliCommand kImportCommand{
    u"import",
    u"lumivox-cli import FILE... --card CARD --group NAME [--songbook NAME] [--board 20x10|16x6]\n"
    u"                   [--encoding NAME] [--language CODE] [--tsv]\n"
    u"                                           import songs of other programs (OpenLyrics, OpenSong, ChordPro,\n"
    u"                                           SongBeamer, plain text); --tsv: file number title result notes\n"
    u"                                           format encoding, notes and refusals as tokens (chars-replaced=2)",
    runImportCommand};
