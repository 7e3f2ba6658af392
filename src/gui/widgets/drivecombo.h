// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/librarysources.h"
#include "core/card/driveprovider.h"

#include <QComboBox>
#include <QTimer>

#include <memory>

// The drive list: the cards a provider reports, polled twice a second. It tells its owner when
// the first card appears and when the last one is gone, and keeps the chosen entry by its root
// path across polls. As the list of libraries (setComputerLibrary) it offers the computer's
// library first, then the cards, then the open project; the card signals still count the cards,
// and a chosen entry that goes away gives way to the computer's library.
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
    // The chosen entry; a default entry when nothing is chosen (or a library that is no card).
    DriveEntry currentDrive() const;

    // --- the list of libraries ---
    // Turns the list into the list of libraries with the computer's library at root. This and
    // setOpenProject take effect at the next refreshDrives().
    void setComputerLibrary(const QString &root);
    bool listsLibraries() const { return !m_computerRoot.isEmpty(); }
    QString computerRoot() const { return m_computerRoot; }
    // The open project's entry (an empty root: none).
    void setOpenProject(const OpenProject &project);
    OpenProject openProject() const { return m_project; }
    // What the list offers, in its order (the libraries, or the cards as Card entries).
    QList<LibrarySource> libraries() const { return m_sources; }
    // The chosen library; a default entry when nothing is chosen.
    LibrarySource currentLibrary() const;
    // Chooses the entry with this root; false when the list has none.
    bool chooseRoot(const QString &root);

signals:
    // The list went from empty to not empty.
    void cardInserted();
    // The list went from not empty to empty.
    void cardRemoved();
    // Another entry became the chosen one while the list stayed non-empty (by the user, or
    // because the chosen card went away).
    void driveChanged();
    // The chosen library went away (a card pulled, the project closed) and the computer's
    // library took its place; gone is what was chosen. driveChanged follows.
    void chosenLibraryGone(const LibrarySource &gone);
    // The entries were built anew.
    void librariesChanged();

private:
    void refill(const QList<DriveEntry> &drives, const QList<LibrarySource> &sources);

    std::shared_ptr<DriveProvider> m_provider;
    QList<DriveEntry> m_drives;
    QList<LibrarySource> m_sources;
    QString m_computerRoot;
    OpenProject m_project;
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
