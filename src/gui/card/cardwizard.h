// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/librarysources.h"
#include "core/card/cardfinding.h"
#include "core/card/cardjob.h"
#include "core/card/cardwritejob.h"
#include "core/card/cardwritecheck.h"
#include "core/card/driveprovider.h"
#include "core/util/progress.h"
#include "gui/card/cardwizardpages.h"
#include "gui/card/importsongsdialog.h"
#include "gui/widgets/busyrunner.h"

#include <QList>

#include <QDialog>

#include <functional>
#include <memory>

class CardChooseStep;
class CardDoneStep;
class CardReadyStep;
class CardRouteRows;
class DriveCombo;
class QHBoxLayout;
class QPushButton;
class QStackedWidget;
class UDisks2DriveProvider;

// "Narzędzia wymiany danych": the modal wizard of every exchange with a card. It writes a library
// of the list of libraries ("Z:") onto a card ("Na:"), after a backup of what the card held,
// appends it to a card, restores a card into the computer's library or into a new project, or
// imports songs from a folder into the song directory (through ImportSongsDialog). Step 0
// chooses the action with its source and target, step 1 shows its options and runs it, step 2
// says it is done; each step is a page of its own. A write or append first shows its plan (what
// it will write, replace and delete, and the space it needs) and reads the card back after the
// copy. The work itself is the core's card jobs, the same the command line runs (planCardWrite,
// writeCard, verifyCard, restoreCard); this window asks the questions, shows the progress and
// routes "Anuluj" to the stop flag while the work runs.
class CardWizard : public QDialog
{
    Q_OBJECT
public:
    using Action = CardAction;
    static constexpr Action Write = CardAction::Write;
    static constexpr Action Restore = CardAction::Restore;
    static constexpr Action Append = CardAction::Append;
    static constexpr Action Import = CardAction::Import;

    // image: the project folder a card is restored into as a new project; backupDir: where
    // backups go; drives: the cards to offer (the library panel's list); udisks may be null (no
    // formatting through it). Until setSources() the sources are the computer's library (when
    // the program has settings) and the cards.
    CardWizard(const QString &image, const QString &backupDir, std::shared_ptr<DriveProvider> drives,
               UDisks2DriveProvider *udisks, QWidget *parent = nullptr);
    ~CardWizard() override;

    // Where "Importuj pieśni" may put songs (the libraries of the list, the one shown first).
    void setImportTarget(const ImportTarget &target) { m_importTarget = target; }
    // Asked before a card is read into the project folder, which replaces the open project;
    // false keeps the project and stops the restore.
    void setProjectGuard(std::function<bool()> mayReplace) { m_mayReplaceProject = std::move(mayReplace); }
    // The libraries a write or append may copy from ("Z:"), chosen the one at chosen (the one
    // the main window shows, or the open project).
    void setSources(const QList<LibrarySource> &sources, int chosen);
    // The card written to, or restored from ("Na:"); without one, or when it is not listed, no
    // card is chosen until the user chooses one.
    void setTargetRoot(const QString &rootPath);
    // The source chosen for a write or append; -1 when none is.
    int sourceIndex() const;
    const QList<LibrarySource> &sources() const { return m_sources; }

    int step() const { return m_step; }
    bool isBusy() const { return m_runner.isBusy(); }
    DriveCombo *driveList() const { return m_drives; }

    // The buttons: "Dalej", "Wstecz", "Anuluj" (the stop flag while busy) and "Formatuj".
    void next();
    void back();
    void cancel();
    void format();

    // Called between the copy and the read-back of a write or append (tests change the card there).
    void setBeforeVerify(std::function<void(const QString &card)> hook) { m_beforeVerify = std::move(hook); }
    bool isPlanShown() const { return m_planShown; }

    // One tick of the warning's blink timer (500 ms); the timer runs while the warning shows.
    void blinkTick();
    bool isBlinking() const;

signals:
    // An import copied songs into the song directory: the library shown should be read again.
    void songsImported();
    // A card was read into a new project at projectRoot (the project folder given at
    // construction), or into the computer's library at rootPath.
    void projectRestored(const QString &projectRoot, const QString &cardLabel);
    void libraryRestored(const QString &rootPath);

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    // Whether the chosen drive allows the action: FAT32 for removable drives (not for folder
    // cards), and a writable card for write and append. Import needs no drive.
    bool isPossible(Action action) const;
    QHBoxLayout *buildButtons();
    // Fills the restore list: the computer's library (when listed) and a new project.
    void fillRestoreTargets();
    // "Z: … → Na: …" of the chosen action; empty for an import.
    QString routeText() const;
    // Says, and returns false, when the chosen source and target do not make a job: nothing or
    // nothing of categories to copy, or both the same or one inside the other.
    bool checkRoute(int categories);
    void chooseAction(Action action);
    // Shows the page of the action and step and enables what may be used now.
    void showPage();
    void setStep(int step);
    // The runner's progress with the labels and bars of the progress page.
    Progress progress(const Progress &base);
    // The root of the chosen card, when it still exists; otherwise says so and returns empty.
    QString chosenCard();
    void refuse(CardWriteCheck check, const QString &source, const QString &card);
    // Says why a job did not do its work and returns to the first page; false when it did.
    bool refused(const CardJobResult &result, const QString &image, const QString &card);
    // Checks the card, asks about a folder that is no card or holds more than a card, then
    // shows the plan of the copy.
    void planWrite(bool append);
    // The planned write or append: backup, clear, copy, sync, then the read-back.
    void runWrite(bool append);
    // Reads the card back against the image; false after saying what differs or that it stopped.
    bool verifyWrite(const CardWriteRequest &request, const QString &backup);
    void runRestore();
    // The import folder: "..." chooses it, "Dalej" imports from it.
    void browseImportFolder();
    bool isImportFolder(const QString &folder) const;
    // False, after saying why, for a folder that is gone or lies in the song directory.
    bool checkImportFolder(const QString &folder);
    void runImport();
    void showFailures(const CardFindings &failures, const QString &backup);
    void setInfo(int textId);

    QString m_image;
    QList<LibrarySource> m_sources;
    QString m_backupDir;
    ImportTarget m_importTarget;
    std::function<bool()> m_mayReplaceProject;
    UDisks2DriveProvider *m_udisks;
    Action m_action = Write;
    int m_step = 0;
    BusyRunner m_runner;
    CardWriteRequest m_request; // of the plan shown
    bool m_planShown = false;
    bool m_planFits = false;
    std::function<void(const QString &card)> m_beforeVerify;

    QStackedWidget *m_pages;
    CardChooseStep *m_choose;
    CardReadyStep *m_ready;
    CardDoneStep *m_done;
    CardRouteRows *m_route;
    DriveCombo *m_drives;
    QPushButton *m_backButton;
    QPushButton *m_nextButton;
    QPushButton *m_cancelButton;
};
