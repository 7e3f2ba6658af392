// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <atomic>
#include <functional>

// Progress of the card operations, for the two labels and two bars of the wait dialog and
// the card wizard, and their stop flag. The callbacks run between files, which is where a
// window may let pending events be processed.
struct CardProgress
{
    // A directory starts; name only, no path.
    std::function<void(const QString &name)> onDirectory;
    // A file is about to be handled: its name, its position in its directory and that
    // directory's file count (0 when the count is not known in advance).
    std::function<void(const QString &name, int index, int count)> onFile;
    // Overall number of files handled so far, after each file.
    std::function<void(int done)> onCounter;
    const std::atomic_bool *stop = nullptr;

    bool stopRequested() const { return stop && stop->load(); }
    void directory(const QString &name) const { if (onDirectory) onDirectory(name); }
    void file(const QString &name, int index, int count) const { if (onFile) onFile(name, index, count); }
    void counter(int done) const { if (onCounter) onCounter(done); }
};

// A file an operation skipped or could not write: the language text that says why and the
// name it concerns (the text holds "%1" for the name).
struct CardFinding
{
    int textId = 0;
    QString name;

    QString message() const;
    friend bool operator==(const CardFinding &, const CardFinding &) = default;
};

using CardFindings = QList<CardFinding>;
