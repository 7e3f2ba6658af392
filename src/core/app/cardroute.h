// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/librarysources.h"

#include <QList>
#include <QString>

// Where a card job takes its data from and where it puts it, as the card wizard shows it:
// "Z: <source> → Na: <target>". The checks here come before the card jobs' own checks, so that
// a refusal names the list entries the user chose rather than the folders behind them.
namespace CardRoute {

// "Z: source → Na: target".
QString text(const QString &source, const QString &target);
// Whether root holds something a write could copy (a song, playlist or slide of categories).
bool holdsData(const QString &root, int categories);
// Why a write or append of sources[from] onto the card at card (shown as cardName) must not
// start; empty when it may. An empty or missing source is named by its entry, followed by the
// entry to choose instead (the first other one that holds data and is not the card) or by how
// to fill one.
QString writeProblem(const QList<LibrarySource> &sources, int from, const QString &card, const QString &cardName,
                     int categories);
// Why reading card (shown as cardName) into target (shown as targetName) must not start; empty
// when it may.
QString restoreProblem(const QString &card, const QString &cardName, const QString &target, const QString &targetName);

} // namespace CardRoute
