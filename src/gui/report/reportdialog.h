// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/report/report.h"
#include "gui/widgets/busyrunner.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class SongLibrary;

// "Raport": writes one of the three RTF reports or the PDF songbook of the library into the file
// the dialog shows (folder and the language's name, or the file last chosen with "...") and
// opens it.
// "Generuj" becomes "Przerwij" while the report runs; Escape does nothing, so that a key press
// cannot end a dialog whose report is half written.
class ReportDialog : public QDialog
{
    Q_OBJECT
public:
    // The three RTF reports by their ReportKind, then the PDF songbook.
    static constexpr int kChoices = 4;
    static constexpr int kPdfChoice = 3;

    // folder: where the reports go unless another file was chosen (created when missing); the
    // library must be scanned.
    ReportDialog(const SongLibrary &library, const QString &folder, QWidget *parent = nullptr);

    // The file a choice writes into; an empty path restores folder and the language's name.
    void setTarget(int choice, const QString &path);
    QString target() const; // the chosen report's
    // "...": a file dialog for the chosen report's file; targetChosen tells where it went.
    void chooseTarget();

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

signals:
    void targetChosen(int choice, const QString &path);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    // The report kinds with the songbook's paper and columns; the bar with "Generuj" and "Przerwij".
    QGroupBox *buildKindBox();
    QHBoxLayout *buildRunRow();
    // The report's file with "..." to choose another.
    QHBoxLayout *buildTargetRow();
    int choice() const;
    // The file to write, after the question about an existing one; empty to write nothing.
    QString confirmTarget(const QString &path);
    void setRunning(bool running);
    void showChoice();
    // Each writes into path and answers the message for a written file, or an empty text
    // after it told the user why nothing was written.
    QString writeReport(ReportKind kind, const QString &path, const Progress &progress);
    QString writePdfSongbook(const QString &path, const Progress &progress);

    const SongLibrary &m_library;
    QString m_folder;
    QString m_targets[kChoices];
    QRadioButton *m_kinds[kChoices] = {};
    QLineEdit *m_target = nullptr;
    QPushButton *m_chooseTarget = nullptr;
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
