// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <atomic>

class QLabel;
class QTimer;
class SongLibrary;

// "Please wait" while the library is read: an animation and two lines (the group and the file
// being read). The work starts shortly after the dialog is shown; closing the dialog stops the
// scan before its next group or file, and what was read so far is kept.
class WaitDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WaitDialog(QWidget *parent = nullptr);

    enum class Outcome {
        NotStarted, // closed before the work began: the library is untouched
        Stopped,    // closed while the work ran: the library holds what was read
        Finished,
    };
    // Points library at root and scans it with flags inside the dialog; both happen only once
    // the work starts, so that a dialog closed before leaves the library as it was.
    Outcome runScan(SongLibrary &library, const QString &root, int flags);
    bool stopRequested() const { return m_stop; }

    // The pause between showing the dialog and starting the work (300 ms; tests use 0).
    static void setStartDelay(int ms);

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    QLabel *m_groupLabel;
    QLabel *m_fileLabel;
    QTimer *m_start;
    std::atomic_bool m_stop = false;
    bool m_working = false;
};
