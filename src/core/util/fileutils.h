// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/util/progress.h"

#include <QDir>
#include <QStringList>

// Names in dir without "." and "..", names starting with "." left out, name filters matched case-sensitively;
// sorted by comparing UTF-16 code units so that "first met" rules are deterministic.
QStringList sortedEntries(const QString &dir, QDir::Filters filters, const QStringList &nameFilters = {});
// One plain path component: not empty, not "." or "..", without "/", "\", a control
// character or a lone surrogate. Names that come from outside (a card data file, a language text) must be such
// before a file is made with them, so that nothing lands outside the intended folder.
bool isPlainFileName(const QString &name);
// A C0 control (line ends and TAB among them), DEL or a C1 control.
bool isControlCharacter(char16_t unit);
bool hasControlCharacter(QStringView text);

// True when both paths name one existing file (a link, or a name that differs only in case on a
// case-insensitive file system, counts as the same file); false when either is missing.
bool isSameFile(const QString &a, const QString &b);
// True when path is the folder or lies below it, both existing: the real path of path is walked
// up a whole component at a time, each step compared with folder as a file (so "Teksty2" is
// not inside "Teksty", and a link to "Teksty" or to a folder in it is).
bool isSameOrInside(const QString &path, const QString &folder);

// dir "/" name, with one slash between them when dir already ends with one.
QString joinPath(const QString &dir, const QString &name);
// path without trailing slashes ("/" stays "/").
QString withoutTrailingSlash(const QString &path);

// The operations below report each file they handle and stop between files when asked. A
// failure on one file does not stop them; the result says whether all went well.

// Deletes every file and subdirectory below path, depth first; path itself stays. Symbolic
// links are removed, never followed. Before the files of another directory than the one last
// reported, that directory is reported by its path below path ("" for path itself).
// *failed gets the first entry (its path below path) that could not be deleted.
bool deleteTree(const QString &path, const Progress &progress = {}, QString *failed = nullptr);
// Copies the files (not the subdirectories) of source into target; an existing target file is kept.
bool copyFiles(const QString &source, const QString &target, const Progress &progress = {});
// Deletes the files of directory that match a wildcard pattern; subdirectories are left alone.
bool deleteFiles(const QString &directory, const QString &pattern, const Progress &progress = {});

// Writes out everything the system still holds for the file system that path lies on (a card
// must not be pulled before that). False with the system's reason when it could not.
bool syncFileSystem(const QString &path, QString *error = nullptr);
