// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A few threads that do the side-effect-free part of a list's items (reading and decoding files)
// ahead of the calling thread, which takes the items back strictly in list order and does
// everything that has an order or a side effect. With one worker no thread is started and each
// item is worked on and finished in turn on the calling thread. The threads end with the object.
// Plain std::thread and std::mutex, so that ThreadSanitizer follows every hand-over.
class OrderedWorkers
{
public:
    // min(4, cores), at least 1.
    static int defaultCount();

    // workers <= 1 works on the calling thread; lookAhead bounds how many items may be worked on
    // beyond the last finished one, and so the memory their results take.
    explicit OrderedWorkers(int workers, int lookAhead = 64);
    ~OrderedWorkers();
    OrderedWorkers(const OrderedWorkers &) = delete;
    OrderedWorkers &operator=(const OrderedWorkers &) = delete;

    int workers() const { return m_threads.empty() ? 1 : int(m_threads.size()); }
    int lookAhead() const { return m_lookAhead; }

    // Calls work(i) for i = 0 .. count-1 on the workers and finish(i) on the calling thread in
    // order, each finish(i) after work(i) has returned. A result slot i % lookAhead() is never
    // worked on again before finish(i) returned. When finish answers false no further work
    // starts, run waits for the work under way (its results are dropped) and answers false.
    bool run(int count, const std::function<void(int)> &work, const std::function<bool(int)> &finish);

private:
    void workerLoop();
    bool canTake() const;

    const int m_lookAhead;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_workAvailable;
    std::condition_variable m_itemDone;
    // The current run, under m_mutex.
    const std::function<void(int)> *m_work = nullptr;
    int m_count = 0;
    int m_next = 0;
    int m_finished = 0;
    int m_busy = 0;
    bool m_stopped = false;
    bool m_quit = false;
    std::vector<char> m_done; // per slot: work on its item has returned
};
