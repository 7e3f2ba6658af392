// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QStringList>

#include <atomic>
#include <functional>

// Long file operations report each file they handle and stop between files when asked.
// A failure on one file does not stop the operation; the result says whether all went well.
struct FileProgress
{
    std::function<void(const QString &path)> onItem;
    const std::atomic_bool *stop = nullptr;

    void report(const QString &path) const { if (onItem) onItem(path); }
    bool stopRequested() const { return stop && stop->load(); }
};

// Names in dir without "." and "..", names starting with "." left out, name filters matched case-sensitively;
// sorted by comparing UTF-16 code units so that "first met" rules are deterministic.
QStringList sortedEntries(const QString &dir, QDir::Filters filters, const QStringList &nameFilters = {});

// Deletes every file and subdirectory below path, depth first; path itself stays.
// Symbolic links are removed, never followed.
bool deleteTree(const QString &path, const FileProgress &progress = {});
// Copies the files (not the subdirectories) of source into target; an existing target file is kept.
bool copyFiles(const QString &source, const QString &target, const FileProgress &progress = {});
// Deletes the files of directory that match a wildcard pattern; subdirectories are left alone.
bool deleteFiles(const QString &directory, const QString &pattern, const FileProgress &progress = {});
