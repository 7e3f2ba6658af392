// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/lyrics/lyricmessage.h"

#include <QList>
#include <QString>

// The lyric import's and export's messages in the loaded language.

// One message in words; a detail of Qt or the system follows the program's own words.
QString lyricMessageText(const LyricMessage &message);
// Why a file was refused, inside the frame its kind has ("does not fit the board: ...").
QString lyricRefusalText(const LyricMessage &reason);
// The notes on an imported song, "changes: a; b"; empty when there are none.
QString lyricNotesText(const QList<LyricMessage> &notes);
