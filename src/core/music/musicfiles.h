// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The music files the player can take: ".mp3", ".wav", ".flac", ".ogg" and the MIDI files
// (".mid", ".midi", ".kar") in any case.
bool isMusicFileName(const QString &name);
// ".mid", ".midi" or ".kar" in any case.
bool isMidiFileName(const QString &name);
// The music files of dir in code-unit order, names starting with "." left out; empty when the
// folder is missing or unreadable.
QStringList musicFilesIn(const QString &dir);
