// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class Song;
struct LyricMessage;
struct LyricNotes;
struct LyricPlan;

// Lays a song's stanzas out on a board of width x height characters (20 x 10 or 16 x 6): lines
// are wrapped, blocks cut into screens and every line centred. What does not fit is refused,
// never cut away.
namespace LyricLayout {

// One line wrapped at its blanks into the fewest lines of at most width characters, and of
// those the layout with the least sum of squared free space over all lines, the last one too.
// A word longer than width is cut into pieces; *cutWords counts such words.
QStringList wrapLine(QStringView line, int width, int *cutWords);

// The screens of one block of lines: up to height lines one screen, n lines ceil(n / height)
// screens of balanced size, broken between source lines where possible. Empty lines at the
// edges are dropped and no screen is blank; an empty block gives no screen.
QList<QStringList> blockScreens(const QStringList &lines, int width, int height, int *cutWords);

// Fills song's stanzas, refrain and sequence from plan. Each block starts a screen; only a
// stanza that would need more than eight screens has its blocks packed together. False, with
// the reason in *reason and song left without stanzas, for no stanza, more than 32 stanzas or
// a stanza that needs more than 8 screens.
bool layout(const LyricPlan &plan, int width, int height, Song &song, LyricNotes &notes, LyricMessage *reason);

} // namespace LyricLayout
