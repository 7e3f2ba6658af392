// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/carddatafile.h"
#include "core/library/songlibrary.h"
#include "core/util/progress.h"
#include "gui/widgets/busyrunner.h"

#include <QDialog>
#include <functional>

class QLabel;

// "Please wait" while the library is read, a project unpacked into the card image or a card
// packed into a project file: an animation and two lines (the directory and the file being
// handled). The work starts at once; the dialog shows itself, modal, only when the work still
// runs after the show delay (its window's UiSeams::waitShowDelay), so that quick work never
// flashes a window. Closing it stops the work before its next directory or file.
class WaitDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WaitDialog(QWidget *parent = nullptr);

    enum class Outcome {
        Stopped, // closed while the work ran: the library holds what was read
        Finished,
    };
    // Points library at root and scans it with flags.
    Outcome runScan(SongLibrary &library, const QString &root, ScanFlags flags);
    // Unpacks the card data file into the card image (ProjectFile::open) into result.
    Outcome runUnpack(const QString &file, const QString &projectDir, CardUnpackResult &result);
    // Packs the card at cardRoot into file (ProjectFile::save) into result.
    Outcome runPack(const QString &file, const QString &cardRoot, CardPackResult &result);
    // Runs work at once (the commands above are such works); work returns whether it ended cleanly.
    Outcome run(const std::function<bool(const Progress &progress)> &work);
    bool stopRequested() const { return m_runner.stopRequested(); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    BusyRunner m_runner;
    QLabel *m_groupLabel;
    QLabel *m_fileLabel;
    QString m_group;
    QString m_file;
};
