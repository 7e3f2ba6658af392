// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The temporary files ReplacingFile writes beside their targets (".lumivox-<pid>-<n>-<n>.tmp")
// stay behind when the writing process is killed or the power goes. The work that next writes
// the folder removes those of processes that no longer run; a running process's file is never
// touched, whatever its age.

// True for such a name; *pid gets the id of the process that wrote it.
bool isReplacingFileName(QStringView name, qint64 *pid = nullptr);
// True while a process with that id exists (another user's process counts).
bool isProcessRunning(qint64 pid);
// True for such a name whose writer no longer runs.
bool isLeftoverFileName(QStringView name);

// The leftover names directly in dir, sorted.
QStringList leftoverFiles(const QString &dir);
// Removes the leftovers directly in dir (regular files only, links are not followed); returns
// the names removed.
QStringList removeLeftoverFiles(const QString &dir);
