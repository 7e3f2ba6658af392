// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/busyrunner.h"

#include <QCoreApplication>

bool BusyRunner::run(const std::function<void(const Progress &)> &work)
{
    if (m_busy)
        return false;
    m_busy = true;
    m_stop = false;
    m_shown = false;
    m_lastPump = 0;
    m_clock.start();
    if (onBusyChanged)
        onBusyChanged(true);
    work(progress());
    m_busy = false;
    if (onBusyChanged)
        onBusyChanged(false);
    return true;
}

Progress BusyRunner::progress() const
{
    Progress progress;
    progress.stop = &m_stop;
    return progress;
}

void BusyRunner::pump()
{
    const qint64 now = m_clock.elapsed();
    const bool showNow = !m_shown && now >= m_timing.showDelay;
    if (!showNow && m_timing.pumpInterval > 0 && now - m_lastPump < m_timing.pumpInterval)
        return;
    m_lastPump = now;
    if (showNow) {
        m_shown = true;
        if (onShow)
            onShow();
    }
    if (!m_shown) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    if (onPump)
        onPump();
    QCoreApplication::processEvents();
}
