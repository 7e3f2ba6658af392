// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The General MIDI sound font MIDI files play with: the one the settings name when that file
// exists, else the system's default font, else the first "*.sf2" or "*.sf3" (in code-unit
// order, subfolders included) under the system's sound font folders. Empty when there is none.
QString findSoundFont(const QString &configured);
// The same with the system's places given (tests).
QString findSoundFont(const QString &configured, const QString &systemDefault, const QStringList &folders);

bool isSoundFontFileName(const QString &name);
