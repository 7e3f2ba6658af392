// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/driveprovider.h"

#include <QComboBox>
#include <QTimer>

#include <memory>

// The drive list: the cards a provider reports, polled twice a second. It tells its owner when
// the first card appears and when the last one is gone, and keeps the chosen entry by its root
// path across polls.
class DriveCombo : public QComboBox
{
    Q_OBJECT
public:
    static constexpr int kPollMs = 500;

    explicit DriveCombo(QWidget *parent = nullptr);

    void setProvider(std::shared_ptr<DriveProvider> provider) { m_provider = std::move(provider); }
    // Starts or stops polling, then enables or disables the list.
    void enablePolling(bool on);
    bool isPolling() const { return m_timer.isActive(); }
    // Reads the drives again; the list is enabled exactly when it has items.
    void refreshDrives();
    // Whether a list without a chosen entry (or whose chosen card went away) chooses its first
    // entry (the library panel's list) or stays without one until the user chooses (the card
    // wizard, which must not write to whichever card happens to come first).
    void setChoosesFirst(bool on) { m_choosesFirst = on; }
    // Chooses the entry with this root path; false, choosing nothing, when none has it.
    bool selectRoot(const QString &rootPath);

    // Root path of the chosen entry ("/media/user/CARD/"); empty when nothing is chosen.
    QString drivePath() const;
    // File-system name of the chosen entry ("FAT32"); empty when nothing is chosen.
    QString fileSystem() const;
    // The chosen entry; a default entry when nothing is chosen.
    DriveEntry currentDrive() const;

signals:
    // The list went from empty to not empty.
    void cardInserted();
    // The list went from not empty to empty.
    void cardRemoved();
    // Another entry became the chosen one while the list stayed non-empty (by the user, or
    // because the chosen card went away).
    void driveChanged();

private:
    std::shared_ptr<DriveProvider> m_provider;
    QList<DriveEntry> m_drives;
    QTimer m_timer;
    bool m_hasDrives = false;
    bool m_filling = false;
    bool m_choosesFirst = true;
};

// Pauses a drive list's polling while it lives, for long work that lets events through: a card
// that comes or goes meanwhile is noticed by the first poll afterwards, not in the middle.
class DrivePollingPause
{
public:
    explicit DrivePollingPause(DriveCombo *drives) : m_drives(drives), m_polling(drives->isPolling())
    {
        m_drives->enablePolling(false);
    }
    ~DrivePollingPause()
    {
        if (m_polling)
            m_drives->enablePolling(true);
    }
    DrivePollingPause(const DrivePollingPause &) = delete;
    DrivePollingPause &operator=(const DrivePollingPause &) = delete;

private:
    DriveCombo *m_drives;
    bool m_polling;
};
