// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/carddatafile.h"
#include "core/util/progress.h"

#include <QDialog>

#include <atomic>
#include <functional>

class QLabel;
class QTimer;
class SongLibrary;

// "Please wait" while the library is read, a project unpacked into the card image or a card
// packed into a project file: an animation and two lines (the directory and the file being
// handled). The work starts shortly after the dialog is shown; closing the dialog stops it
// before its next directory or file.
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
    // Unpacks the card data file into the card image (ProjectFile::open) into result; closed
    // before the start, the image is untouched and result says Stopped.
    Outcome runUnpack(const QString &file, const QString &projectDir, CardUnpackResult &result);
    // Packs the card at cardRoot into file (ProjectFile::save) into result; closed before the
    // start, nothing is written and result says stopped.
    Outcome runPack(const QString &file, const QString &cardRoot, CardPackResult &result);
    bool stopRequested() const { return m_stop; }

    // The pause between showing the dialog and starting the work (300 ms; tests use 0).
    static void setStartDelay(int ms);

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    // Runs work once the start delay has passed; work returns whether it ended cleanly.
    Outcome run(const std::function<bool(const Progress &progress)> &work);

    QLabel *m_groupLabel;
    QLabel *m_fileLabel;
    QTimer *m_start;
    std::atomic_bool m_stop = false;
    bool m_working = false;
};
