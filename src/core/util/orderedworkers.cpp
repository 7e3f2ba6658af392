// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/util/orderedworkers.h"

#include <algorithm>

namespace {

// A thread claims at most this many items at once: few enough that the calling thread rarely
// waits on an item a busy thread has claimed but not begun.
constexpr int kMaxChunk = 8;

} // namespace

int OrderedWorkers::defaultCount()
{
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

OrderedWorkers::OrderedWorkers(int workers, int lookAhead)
    : m_lookAhead(std::max(lookAhead, 1)), m_chunk(std::clamp(m_lookAhead / (2 * std::max(workers, 1)), 1, kMaxChunk)),
      m_done(std::make_unique<std::atomic_int[]>(size_t(m_lookAhead)))
{
    if (workers <= 1)
        return;
    m_threads.reserve(size_t(workers - 1));
    for (int i = 1; i < workers; ++i)
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

bool OrderedWorkers::claim(int maxItems, int &first, int &end)
{
    int next = m_next.load();
    for (;;) {
        if (m_stopped.load())
            return false;
        const int limit = std::min(m_count.load(), m_finished.load() + m_lookAhead);
        if (next >= limit)
            return false;
        const int taken = std::min(maxItems, limit - next);
        if (m_next.compare_exchange_weak(next, next + taken)) {
            first = next;
            end = next + taken;
            return true;
        }
    }
}

void OrderedWorkers::workOn(const std::function<void(int)> &work, int first, int end)
{
    for (int item = first; item < end && !m_stopped.load(); ++item) {
        work(item);
        m_done[size_t(item % m_lookAhead)].store(item);
        if (m_callerWaitsFor.load() == item) {
            const std::lock_guard lock(m_mutex);
            m_callerWake.notify_one();
        }
    }
}

bool OrderedWorkers::isDone(int item) const
{
    return m_done[size_t(item % m_lookAhead)].load() == item;
}

bool OrderedWorkers::worthWaking() const
{
    if (m_stopped.load())
        return false;
    const int count = m_count.load();
    const int next = m_next.load();
    const int free = std::min(count, m_finished.load() + m_lookAhead) - next;
    return free > 0 && free >= std::min(m_chunk, count - next);
}

void OrderedWorkers::workerLoop()
{
    for (;;) {
        const std::function<void(int)> *work = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_sleepers.fetch_add(1);
            m_workAvailable.wait(lock, [this] { return m_quit || (m_work && worthWaking()); });
            m_sleepers.fetch_sub(1);
            if (m_quit)
                return;
            work = m_work;
            ++m_busy;
        }
        int first = 0;
        int end = 0;
        while (claim(m_chunk, first, end))
            workOn(*work, first, end);
        const std::lock_guard lock(m_mutex);
        if (--m_busy == 0)
            m_callerWake.notify_one();
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
        for (int slot = 0; slot < m_lookAhead; ++slot)
            m_done[size_t(slot)].store(-1);
        m_count.store(count);
        m_next.store(0);
        m_finished.store(0);
        m_stopped.store(false);
        m_work = &work;
    }
    m_workAvailable.notify_all();
    bool completed = true;
    for (int i = 0; i < count && completed; ++i) {
        // Rather than wait, the calling thread works on the next unclaimed items itself.
        int first = 0;
        int end = 0;
        while (!isDone(i) && claim(1, first, end))
            workOn(work, first, end);
        if (!isDone(i)) {
            std::unique_lock lock(m_mutex);
            m_callerWaitsFor.store(i);
            m_callerWake.wait(lock, [this, i] { return isDone(i); });
            m_callerWaitsFor.store(-1);
        }
        completed = finish(i);
        if (!completed)
            break;
        m_finished.store(i + 1);
        if (m_sleepers.load() > 0 && worthWaking()) {
            const std::lock_guard lock(m_mutex);
            m_workAvailable.notify_one();
        }
    }
    // A stop, or the end: no further claims; wait for the threads still inside the run.
    m_stopped.store(true);
    std::unique_lock lock(m_mutex);
    m_callerWake.wait(lock, [this] { return m_busy == 0; });
    m_work = nullptr;
    return completed;
}
