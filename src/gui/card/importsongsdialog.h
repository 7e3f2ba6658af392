// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/librarysources.h"
#include "core/library/songimport.h"
#include "gui/widgets/busyrunner.h"

#include <QDialog>

#include <functional>

class AppCore;

// Where an import may put songs: the libraries offered (chosen: preselected), the group
// preselected in it, and who hears of the files written (root of their library, full paths).
struct ImportTarget
{
    QList<LibrarySource> libraries;
    int chosen = 0;
    QString group;
    std::function<void(const QString &root, const QStringList &files)> imported;
};
class QButtonGroup;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QTableWidget;
class QTableWidgetItem;

// Offers the songs of a folder (a card root or any folder) that the target library lacks (the
// settings' song directory unless setTarget offers others), and copies the chosen ones into one
// of its groups, keeping their numbers or numbering them anew. Use:
//     ImportSongsDialog dialog(core, folder, parent);
//     dialog.setTarget(target); // before it is shown
//     const bool accepted = dialog.exec() == QDialog::Accepted;
//     if (dialog.importedAny()) ... reload the library ...
// The source is listed shortly after the dialog is shown.
class ImportSongsDialog : public QDialog
{
    Q_OBJECT
public:
    ImportSongsDialog(AppCore &core, const QString &sourceDir, QWidget *parent = nullptr);
    ~ImportSongsDialog() override;

    // The libraries to choose from, the one and the group preselected; call before showing.
    void setTarget(const ImportTarget &target);
    // True once a song was copied, however the dialog ended.
    bool importedAny() const { return m_importedAny; }
    // The files copied into the library chosen now, full paths; handed to the target's imported
    // when the dialog closes.
    QStringList importedFiles() const { return m_importedFiles; }
    QComboBox *libraryList() const { return m_libraries; }

    // The controls, for tests.
    QTableWidget *list() const { return m_list; }
    QComboBox *groupList() const { return m_groups; }
    QRadioButton *numberFromButton() const { return m_numberFrom; }
    QLineEdit *startEdit() const { return m_start; }
    QLabel *selectedCounter() const { return m_selectedCount; }
    QLabel *remainingCounter() const { return m_remainingCount; }
    QPushButton *startButton() const { return m_startButton; }
    QPushButton *stopButton() const { return m_stopButton; }
    QPushButton *previewButton() const { return m_preview; }
    // The one-shot timer that starts the listing (200 ms after the dialog is shown).
    QTimer *listingTimer() const { return m_listingTimer; }
    bool isBusy() const { return m_runner.isBusy(); }

public slots:
    void reject() override;
    void accept() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The song list, the target (group and numbering) and the work column (counters, buttons).
    void buildList();
    QGridLayout *buildTarget();
    QGridLayout *buildWork();
    void fillGroups(const QString &chosen = {});
    void listSource();
    void fillList();
    void showTaken(int row, bool taken);
    void markTakenRows();
    QList<int> selectedRows() const;
    int rowOf(const QTableWidgetItem *item) const;
    void updateCounters();
    void updateModeControls();
    void createGroup();
    void startImport();
    void preview();
    void showBusy(bool busy);
    QString songDir() const;
    void chooseLibrary(int index);

    AppCore &m_core;
    QString m_source;
    ImportTarget m_target;
    QString m_songDir;
    QStringList m_importedFiles;
    QList<SongImport::Row> m_rows; // what the listing found; each table row names its entry
    bool m_importedAny = false;
    BusyRunner m_runner;
    bool m_listed = false;

    QTableWidget *m_list;
    QComboBox *m_libraries;
    QComboBox *m_groups;
    QPushButton *m_newGroup;
    QButtonGroup *m_modes;
    QRadioButton *m_keepNumbers;
    QRadioButton *m_numberFrom;
    QLineEdit *m_start;
    QLabel *m_selectedCount;
    QLabel *m_remainingCount;
    QPushButton *m_startButton;
    QPushButton *m_stopButton;
    QPushButton *m_preview;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QTimer *m_listingTimer;
};
