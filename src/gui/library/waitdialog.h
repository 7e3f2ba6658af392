// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <atomic>

class QLabel;
class SongLibrary;

// "Please wait" while the library is read: an animation and two lines (the group and the file
// being read). The work starts shortly after the dialog is shown; closing the dialog stops the
// scan before its next group or file, and what was read so far is kept.
class WaitDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WaitDialog(QWidget *parent = nullptr);

    // Scans library with flags inside the dialog. Answers true when no issue was found.
    bool runScan(SongLibrary &library, int flags);
    bool stopRequested() const { return m_stop; }

    // The pause between showing the dialog and starting the work (300 ms; tests use 0).
    static void setStartDelay(int ms);

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    QLabel *m_groupLabel;
    QLabel *m_fileLabel;
    std::atomic_bool m_stop = false;
    bool m_working = false;
};
