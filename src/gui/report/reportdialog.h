// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/report/report.h"
#include "gui/widgets/busyrunner.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class SongLibrary;

// "Raport": writes one of the three RTF reports or the PDF songbook of the library into a
// folder and opens it.
// "Generuj" becomes "Przerwij" while the report runs; Escape does nothing, so that a key press
// cannot end a dialog whose report is half written.
class ReportDialog : public QDialog
{
    Q_OBJECT
public:
    // folder: where the reports go (created when missing); the library must be scanned.
    ReportDialog(const SongLibrary &library, const QString &folder, QWidget *parent = nullptr);

    // The RTF report chosen; kind() is meaningless while the PDF songbook is chosen.
    ReportKind kind() const;
    void setKind(ReportKind kind);
    bool isPdfSongbookChosen() const;
    void choosePdfSongbook();
    bool isRunning() const { return m_runner.isBusy(); }
    // The file the last report went into; empty when none was written.
    QString lastReport() const { return m_lastReport; }

    // "Generuj": asks about an existing file, writes the report, opens and announces it.
    void generate();
    // "Przerwij": the report ends after its current song.
    void stop() { m_runner.requestStop(); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    // The report kinds with the songbook's paper and columns; the bar with "Generuj" and "Przerwij".
    QGroupBox *buildKindBox();
    QHBoxLayout *buildRunRow();
    // The file to write, after the question about an existing one; empty to write nothing.
    QString chooseTarget(const QString &name);
    void setRunning(bool running);
    void showPdfOptions();
    // Each writes into path and answers the message for a written file, or an empty text
    // after it told the user why nothing was written.
    QString writeReport(ReportKind kind, const QString &path, const Progress &progress);
    QString writePdfSongbook(const QString &path, const Progress &progress);

    const SongLibrary &m_library;
    QString m_folder;
    QRadioButton *m_kinds[4] = {};
    QWidget *m_pdfOptions;
    QComboBox *m_paper;
    QComboBox *m_columns;
    QProgressBar *m_progress;
    QPushButton *m_generate;
    QPushButton *m_stopButton;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QString m_lastReport;
    BusyRunner m_runner;
};
