// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <atomic>
#include <functional>

// Progress of the long operations (library scan, card pack, unpack, copy and clear, tree
// deletes) for the labels and bars of the wait dialog and the card wizard, and the stop flag
// that ends them. The callbacks run between files, which is where a window may let pending
// events be processed; the operations test the flag at the same points.
struct Progress
{
    // A directory (a song group, "screen_dir", a folder below a tree's root) starts: its name
    // or path below the root, never an absolute path.
    std::function<void(const QString &name)> onDirectory;
    // A file is about to be handled: its name, its position in its directory and that
    // directory's file count (0 when the count is not known in advance).
    std::function<void(const QString &name, int index, int count)> onFile;
    // The overall number of files handled so far, after each file.
    std::function<void(int done)> onCounter;
    const std::atomic_bool *stop = nullptr;

    bool stopRequested() const { return stop && stop->load(); }
    void directory(const QString &name) const
    {
        if (onDirectory)
            onDirectory(name);
    }
    void file(const QString &name, int index, int count) const
    {
        if (onFile)
            onFile(name, index, count);
    }
    void counter(int done) const
    {
        if (onCounter)
            onCounter(done);
    }
};
