// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A few threads that do the side-effect-free part of a list's items (reading and decoding files)
// ahead of the calling thread, which takes the items back strictly in list order and does
// everything that has an order or a side effect. The calling thread counts as one of the workers:
// while the next item to finish is still unclaimed or not yet done, it works on items itself. With
// one worker no thread is started and each item is worked on and finished in turn. The threads
// end with the object.
//
// Items are claimed in short runs and handed back through one atomic per result slot, so that
// neither side takes a lock per item; a thread sleeps only when there is nothing for it to do and
// is woken only when there is. Plain std::thread, std::mutex and std::atomic, so that
// ThreadSanitizer follows every hand-over.
class OrderedWorkers
{
public:
    // min(4, cores), at least 1, the calling thread included.
    static int defaultCount();

    // workers <= 1 works on the calling thread alone, otherwise workers - 1 threads are started;
    // lookAhead bounds how many items may be worked on beyond the last finished one, and so the
    // memory their results take.
    explicit OrderedWorkers(int workers, int lookAhead = 64);
    ~OrderedWorkers();
    OrderedWorkers(const OrderedWorkers &) = delete;
    OrderedWorkers &operator=(const OrderedWorkers &) = delete;

    int workers() const { return int(m_threads.size()) + 1; }
    int lookAhead() const { return m_lookAhead; }
    // How many result slots a run of count items needs: one per item that may be worked on
    // ahead, a single one when working alternates with finishing on one thread.
    int slotsFor(int count) const { return m_threads.empty() ? 1 : std::min(m_lookAhead, std::max(count, 1)); }

    // Calls work(i) for i = 0 .. count-1 on the workers and finish(i) on the calling thread in
    // order, each finish(i) after work(i) has returned. A result slot i % lookAhead() is never
    // worked on again before finish(i) returned. When finish answers false no further work
    // starts, run waits for the work under way (its results are dropped) and answers false.
    bool run(int count, const std::function<void(int)> &work, const std::function<bool(int)> &finish);

private:
    void workerLoop();
    // Claims the next items within the look-ahead, at most maxItems: [first, end). False when
    // there is none to claim.
    bool claim(int maxItems, int &first, int &end);
    // Works on the claimed items and marks each done; stops early when the run is stopped.
    void workOn(const std::function<void(int)> &work, int first, int end);
    bool isDone(int item) const;
    // Whether a sleeping thread would find a worthwhile run of items to claim.
    bool worthWaking() const;

    const int m_lookAhead;
    const int m_chunk;
    std::vector<std::thread> m_threads;

    // Sleeping and waking; m_work and the start of a run change under m_mutex only.
    std::mutex m_mutex;
    std::condition_variable m_workAvailable;
    std::condition_variable m_callerWake;
    const std::function<void(int)> *m_work = nullptr;
    int m_busy = 0; // threads inside a run's claim-and-work loop
    bool m_quit = false;

    // The current run. The atomics are sequentially consistent: a thread that goes to sleep
    // announces it before it checks the state for the last time, and the one that changes the
    // state checks the announcement after the change, so that no wake-up is lost.
    std::atomic_int m_count{0};
    std::atomic_int m_next{0};
    std::atomic_int m_finished{0};
    std::atomic_bool m_stopped{false};
    std::atomic_int m_sleepers{0};
    std::atomic_int m_callerWaitsFor{-1};
    std::unique_ptr<std::atomic_int[]> m_done; // per slot: the last item whose work has returned
};
