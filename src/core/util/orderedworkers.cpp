// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/orderedworkers.h"

#include <algorithm>

int OrderedWorkers::defaultCount()
{
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

OrderedWorkers::OrderedWorkers(int workers, int lookAhead)
    : m_lookAhead(std::max(lookAhead, 1))
    , m_done(size_t(m_lookAhead), 0)
{
    if (workers <= 1)
        return;
    m_threads.reserve(size_t(workers));
    for (int i = 0; i < workers; ++i)
        m_threads.emplace_back([this] { workerLoop(); });
}

OrderedWorkers::~OrderedWorkers()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_workAvailable.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
}

bool OrderedWorkers::canTake() const
{
    return m_work && !m_stopped && m_next < m_count && m_next < m_finished + m_lookAhead;
}

void OrderedWorkers::workerLoop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_workAvailable.wait(lock, [this] { return m_quit || canTake(); });
        if (m_quit)
            return;
        const int item = m_next++;
        const std::function<void(int)> &work = *m_work;
        ++m_busy;
        lock.unlock();
        work(item);
        lock.lock();
        --m_busy;
        m_done[size_t(item % m_lookAhead)] = 1;
        m_itemDone.notify_one();
    }
}

bool OrderedWorkers::run(int count, const std::function<void(int)> &work, const std::function<bool(int)> &finish)
{
    if (m_threads.empty()) {
        for (int i = 0; i < count; ++i) {
            work(i);
            if (!finish(i))
                return false;
        }
        return true;
    }
    {
        const std::lock_guard lock(m_mutex);
        std::fill(m_done.begin(), m_done.end(), 0);
        m_work = &work;
        m_count = count;
        m_next = m_finished = 0;
        m_stopped = false;
    }
    m_workAvailable.notify_all();
    bool completed = true;
    for (int i = 0; i < count && completed; ++i) {
        {
            std::unique_lock lock(m_mutex);
            char &done = m_done[size_t(i % m_lookAhead)];
            m_itemDone.wait(lock, [&done] { return done != 0; });
            done = 0;
        }
        completed = finish(i);
        {
            const std::lock_guard lock(m_mutex);
            m_finished = i + 1;
            m_stopped = !completed;
        }
        if (completed)
            m_workAvailable.notify_all();
    }
    std::unique_lock lock(m_mutex);
    m_stopped = true;
    m_itemDone.wait(lock, [this] { return m_busy == 0; });
    m_work = nullptr;
    return completed;
}
