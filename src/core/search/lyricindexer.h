// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/search/lyricindex.h"

#include <QObject>

#include <functional>
#include <memory>

class QThread;
class Song;
class SongLibrary;

// Keeps a card's LyricIndex current. A rebuild reads the library's songs in a worker thread
// (read only) while the old index still answers; a newer rebuild makes an older one's result
// worthless, and changes made meanwhile are applied again to the result that is taken.
class LyricIndexer : public QObject
{
    Q_OBJECT
public:
    explicit LyricIndexer(QObject *parent = nullptr);
    // Stops and joins every worker.
    ~LyricIndexer() override;

    const LyricIndex &index() const { return m_index; }
    bool isBuilding() const;
    // Files the last finished build could not read.
    int unreadable() const { return m_unreadable; }

    // Starts reading the songs the scanned library lists (their paths are taken now).
    void rebuild(const SongLibrary &library);
    // No card: an empty index, any running build dropped.
    void clear();
    // Blocks until the running build (if any) has been taken; for the command line and tests.
    void waitForBuild();

    // --- single changes ---
    void songSaved(const Song &song);
    void songChanged(const QString &path); // read again
    void songRenamed(const QString &from, const QString &to);
    void songRemoved(const QString &path);
    void directoryRemoved(const QString &directory);

signals:
    // After every change of the index, and when a build starts.
    void changed();

private:
    struct Job;
    void apply(const std::function<void(LyricIndex &)> &change);
    void finish(int generation);
    void stopJobs();

    LyricIndex m_index;
    std::vector<std::unique_ptr<Job>> m_jobs;
    // Changes since the newest build started, for its result.
    QList<std::function<void(LyricIndex &)>> m_pending;
    QString m_root;
    int m_generation = 0;
    int m_unreadable = 0;
};
