// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/util/progress.h"

#include <QElapsedTimer>

#include <atomic>
#include <functional>

// Runs one long piece of work on the GUI thread and keeps the window alive while it runs.
// The work gets a Progress whose stop flag is this runner's; its callbacks call pump(), which
// lets pending events through (at most every pumpInterval ms) so that a "Stop" button can be
// pressed and labels repaint. While nothing is shown yet (showDelay has not passed) only
// events without user input are served: the window below must not take clicks while what it
// shows is being replaced. A second run while one runs is refused, so a button pressed during
// the pump cannot start the same work inside itself.
//
// The work stays on the GUI thread on purpose: the core jobs read and fill objects the
// windows show (the song library, the song table, the widgets' labels through the callbacks),
// and a worker thread would need every one of them locked or copied.
class BusyRunner
{
public:
    struct Timing
    {
        int showDelay = 0;    // ms of work before onShow is called
        int pumpInterval = 0; // ms between two pumps; 0 pumps at every call
    };

    BusyRunner() = default;
    explicit BusyRunner(Timing timing) : m_timing(timing) {}
    BusyRunner(const BusyRunner &) = delete;
    BusyRunner &operator=(const BusyRunner &) = delete;

    // Takes effect at the next run.
    void setTiming(Timing timing) { m_timing = timing; }

    // Called with true before the work starts and with false after it ended.
    std::function<void(bool busy)> onBusyChanged;
    // Called once, from pump(), when the work outlasts the show delay.
    std::function<void()> onShow;
    // Called by pump() just before events are let through (labels take their texts here).
    std::function<void()> onPump;

    // Runs work and returns true; false, without running it, while another work runs.
    bool run(const std::function<void(const Progress &progress)> &work);
    bool isBusy() const { return m_busy; }
    // The running work ends at its next check of the stop flag.
    void requestStop() { m_stop = true; }
    bool stopRequested() const { return m_stop; }

    // A Progress carrying only the stop flag; the users add their callbacks.
    Progress progress() const;
    // Between files: see the class comment.
    void pump();

private:
    Timing m_timing;
    std::atomic_bool m_stop = false;
    bool m_busy = false;
    bool m_shown = false;
    QElapsedTimer m_clock;
    qint64 m_lastPump = 0;
};
