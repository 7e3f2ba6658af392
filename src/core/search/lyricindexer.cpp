// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/search/lyricindexer.h"

#include "core/library/songlibrary.h"
#include "core/model/song.h"

#include <QThread>

struct LyricIndexer::Job
{
    int generation = 0;
    QStringList paths;
    std::atomic_bool stop = false;
    LyricIndex result;
    int unreadable = 0;
    QThread *thread = nullptr;
};

LyricIndexer::LyricIndexer(QObject *parent) : QObject(parent) {}

bool LyricIndexer::isBuilding() const
{
    return !m_jobs.empty() && m_jobs.back()->generation == m_generation;
}

LyricIndexer::~LyricIndexer()
{
    stopJobs();
}

void LyricIndexer::stopJobs()
{
    for (const auto &job : m_jobs)
        job->stop = true;
    for (const auto &job : m_jobs) {
        job->thread->wait();
        delete job->thread;
    }
    m_jobs.clear();
}

void LyricIndexer::rebuild(const SongLibrary &library)
{
    for (const auto &job : m_jobs)
        job->stop = true;
    auto job = std::make_unique<Job>();
    job->generation = ++m_generation;
    job->paths = LyricIndex::songPaths(library);
    Job *raw = job.get();
    job->thread = QThread::create([raw] { raw->result = LyricIndex::build(raw->paths, &raw->stop, &raw->unreadable); });
    connect(
        job->thread, &QThread::finished, this, [this, generation = m_generation] { finish(generation); },
        Qt::QueuedConnection);
    // Another card's songs are not shown while this one's are read; a refresh keeps them.
    if (library.root() != m_root)
        m_index = LyricIndex();
    m_root = library.root();
    m_pending.clear();
    m_jobs.push_back(std::move(job));
    raw->thread->start(QThread::LowPriority);
    emit changed();
}

void LyricIndexer::finish(int generation)
{
    const auto it = std::find_if(m_jobs.begin(), m_jobs.end(),
                                 [generation](const auto &job) { return job->generation == generation; });
    if (it == m_jobs.end())
        return;
    std::unique_ptr<Job> done = std::move(*it);
    m_jobs.erase(it);
    done->thread->wait();
    delete done->thread;
    if (done->generation != m_generation || done->stop)
        return;
    m_index = std::move(done->result);
    m_unreadable = done->unreadable;
    for (const auto &change : std::as_const(m_pending))
        change(m_index);
    m_pending.clear();
    emit changed();
}

void LyricIndexer::waitForBuild()
{
    while (!m_jobs.empty()) {
        Job *job = m_jobs.front().get();
        job->thread->wait();
        finish(job->generation);
    }
}

void LyricIndexer::clear()
{
    ++m_generation;
    for (const auto &job : m_jobs)
        job->stop = true;
    m_pending.clear();
    m_index = LyricIndex();
    m_root.clear();
    m_unreadable = 0;
    emit changed();
}

void LyricIndexer::apply(const std::function<void(LyricIndex &)> &change)
{
    change(m_index);
    if (isBuilding())
        m_pending << change;
    emit changed();
}

void LyricIndexer::songSaved(const Song &song)
{
    apply([song](LyricIndex &index) { index.setSong(song); });
}

void LyricIndexer::songChanged(const QString &path)
{
    apply([path](LyricIndex &index) { index.readSong(path); });
}

void LyricIndexer::songRenamed(const QString &from, const QString &to)
{
    apply([from, to](LyricIndex &index) { index.renameSong(from, to); });
}

void LyricIndexer::songRemoved(const QString &path)
{
    apply([path](LyricIndex &index) { index.removeSong(path); });
}

void LyricIndexer::directoryRemoved(const QString &directory)
{
    apply([directory](LyricIndex &index) { index.removeDirectory(directory); });
}
