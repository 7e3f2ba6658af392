// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QElapsedTimer>

#include <atomic>

class QLabel;
class SongLibrary;

// "Please wait" while the library is read: an animation and two lines (the group and the file
// being read). The work starts at once; the dialog shows itself, modal, only when the work still
// runs after the show delay, so that a quick scan never flashes a window. Closing it stops the
// scan before its next group or file, and what was read so far is kept.
class WaitDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WaitDialog(QWidget *parent = nullptr);

    enum class Outcome {
        Stopped,  // closed while the work ran: the library holds what was read
        Finished,
    };
    // Points library at root and scans it with flags.
    Outcome runScan(SongLibrary &library, const QString &root, int flags);
    bool stopRequested() const { return m_stop; }

    // How long the work runs before the dialog shows (300 ms; tests use 0).
    static void setShowDelay(int ms);
    // Every file of a scan takes this much longer: tests of a slow card (0 otherwise).
    static void setFileDelay(int microseconds);

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    // Between files: shows the dialog once the show delay has passed, and at most every
    // kPumpInterval ms updates the labels and lets events through.
    void pump();

    QLabel *m_groupLabel;
    QLabel *m_fileLabel;
    QString m_group;
    QString m_file;
    QElapsedTimer m_clock;
    qint64 m_lastPump = 0;
    std::atomic_bool m_stop = false;
    bool m_working = false;
};
