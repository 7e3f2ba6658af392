// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/card/cardwizard.h"

#include "core/app/appcore.h"
#include "core/app/cardmessages.h"
#include "core/app/cardroute.h"
#include "core/app/datasize.h"
#include "core/app/language.h"
#include "core/card/cardbackup.h"
#include "core/card/cardreadjobs.h"
#include "core/card/cardrestorejob.h"
#include "core/util/fileutils.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"
#include "gui/app/uiseams.h"
#include "gui/card/appendedfilesdialog.h"
#include "gui/card/cardformatter.h"
#include "gui/card/cardwizardoptions.h"
#include "gui/card/cardwizardpages.h"
#include "gui/card/importsongsdialog.h"
#include "gui/widgets/drivecombo.h"
#include "gui/widgets/screenfit.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

constexpr int kListedNames = 10;
constexpr int kMismatchesNamed = 5;

// The first ten lines and "..." when there are more.
QString firstLines(const QStringList &lines)
{
    QStringList shown = lines.mid(0, kListedNames);
    if (lines.size() > kListedNames)
        shown.append(QStringLiteral("..."));
    return shown.join(u'\n');
}

QString withBackup(const QString &text, const QString &backup)
{
    return backup.isEmpty() ? text : text + u'\n' + Lang::text(Txt::BackupSaved).arg(backup);
}

} // namespace

CardWizard::CardWizard(const QString &image, const QString &backupDir, std::shared_ptr<DriveProvider> drives,
                       UDisks2DriveProvider *udisks, QWidget *parent)
    : QDialog(parent), m_image(image), m_backupDir(backupDir), m_udisks(udisks)
{
    setObjectName(QStringLiteral("CardWizard"));
    setControlText(this, Txt::CardWizardTitle);

    m_choose = new CardChooseStep(drives, this);
    m_route = m_choose->route();
    m_drives = m_route->drives();
    m_ready = new CardReadyStep(this);
    m_ready->writePage()->setBackupFolder(m_backupDir);
    m_done = new CardDoneStep(this);
    if (AppCore *core = AppCore::instance())
        m_ready->importPage()->setFolder(core->settings().lastImportDir());
    m_pages = new QStackedWidget(this);
    for (QWidget *page : std::initializer_list<QWidget *>{m_choose, m_ready, m_done})
        m_pages->addWidget(page);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scrollingArea(m_pages, this), 1);
    layout->addLayout(buildButtons());

    connect(m_choose->actions(), &CardActionPage::chosen, this, &CardWizard::chooseAction);
    connect(m_route, &CardRouteRows::formatRequested, this, &CardWizard::format);
    connect(m_route, &CardRouteRows::changed, this, &CardWizard::showPage);
    connect(m_ready->importPage(), &ImportFolderPage::browseRequested, this, &CardWizard::browseImportFolder);
    connect(m_ready->importPage(), &ImportFolderPage::changed, this, &CardWizard::showPage);
    connect(m_ready->appendPage(), &AppendOptionsPage::changed, this, &CardWizard::showPage);
    // The drive check: every change of the chosen drive shows the page again.
    connect(m_drives, &DriveCombo::cardInserted, this, &CardWizard::showPage);
    connect(m_drives, &DriveCombo::cardRemoved, this, &CardWizard::showPage);
    connect(m_drives, &DriveCombo::driveChanged, this, &CardWizard::showPage);
    m_runner.onBusyChanged = [this](bool busy) {
        m_drives->enablePolling(!busy);
        showPage();
        // The buttons were off while the work ran: "Dalej" takes the focus back, so that Enter
        // goes on rather than reaching "Anuluj".
        if (!busy && m_nextButton->isEnabled())
            m_nextButton->setFocus();
    };

    m_drives->refreshDrives();
    m_drives->enablePolling(true);
    AppCore *core = AppCore::instance();
    const QString computer = core ? core->settings().lyricsDir() : QString();
    setSources(computer.isEmpty() || !drives ? QList<LibrarySource>()
                                             : LibrarySources::list(computer, drives->drives(), {}),
               0);
    fitToScreen(this);
}

QHBoxLayout *CardWizard::buildButtons()
{
    m_backButton = new QPushButton(this);
    m_backButton->setObjectName(QStringLiteral("backButton"));
    setControlText(m_backButton, Txt::WizardBack);
    m_nextButton = new QPushButton(this);
    m_nextButton->setObjectName(QStringLiteral("nextButton"));
    m_nextButton->setDefault(true);
    m_cancelButton = new QPushButton(this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    setControlText(m_cancelButton, Txt::ButtonCancel);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_backButton);
    buttonRow->addWidget(m_nextButton);
    buttonRow->addSpacing(12);
    buttonRow->addWidget(m_cancelButton);
    connect(m_nextButton, &QPushButton::clicked, this, &CardWizard::next);
    connect(m_backButton, &QPushButton::clicked, this, &CardWizard::back);
    connect(m_cancelButton, &QPushButton::clicked, this, &CardWizard::cancel);
    return buttonRow;
}

CardWizard::~CardWizard() = default;

bool CardWizard::isPossible(Action action) const
{
    if (action == Import)
        return true;
    if (m_drives->count() == 0)
        return false;
    const DriveEntry drive = m_drives->currentDrive();
    // No card chosen yet: "Dalej" says to choose one.
    if (drive.rootPath.isEmpty())
        return true;
    if (!drive.folderCard && drive.fileSystem != u"FAT32")
        return false;
    return action == Restore || !drive.readOnly;
}

void CardWizard::setSources(const QList<LibrarySource> &sources, int chosen)
{
    m_sources = sources;
    QComboBox *list = m_route->sources();
    {
        const QSignalBlocker blocker(list);
        list->clear();
        for (const LibrarySource &source : sources) {
            list->addItem(LibrarySources::itemText(source), source.rootPath);
            list->setItemData(list->count() - 1, QDir::toNativeSeparators(source.rootPath), Qt::ToolTipRole);
        }
        list->setCurrentIndex(chosen >= 0 && chosen < sources.size() ? chosen : sources.isEmpty() ? -1 : 0);
    }
    fillRestoreTargets();
    showPage();
}

void CardWizard::fillRestoreTargets()
{
    QComboBox *list = m_route->restoreTargets();
    const QSignalBlocker blocker(list);
    list->clear();
    // A new project first: reading a card into it leaves every library as it was.
    list->addItem(Lang::text(Txt::RestoreIntoProject), m_image);
    for (const LibrarySource &source : std::as_const(m_sources)) {
        if (source.kind == LibrarySource::Kind::Computer)
            list->addItem(LibrarySources::itemText(source), source.rootPath);
    }
    for (int i = 0; i < list->count(); ++i)
        list->setItemData(i, QDir::toNativeSeparators(list->itemData(i).toString()), Qt::ToolTipRole);
    list->setCurrentIndex(0);
}

void CardWizard::setTargetRoot(const QString &rootPath)
{
    m_drives->selectRoot(rootPath);
    showPage();
}

int CardWizard::sourceIndex() const
{
    return m_route->sources()->currentIndex();
}

bool CardWizard::isBlinking() const
{
    return m_choose->warning()->isBlinking();
}

QString CardWizard::routeText() const
{
    if (m_action == Import)
        return {};
    const QString card = m_drives->currentIndex() >= 0 ? m_drives->currentText() : QString();
    if (m_action == Restore)
        return CardRoute::text(card, m_route->restoreTargets()->currentText());
    return CardRoute::text(m_route->sources()->currentText(), card);
}

bool CardWizard::checkRoute(int categories)
{
    const QString card = m_drives->drivePath();
    const QString cardName = m_drives->currentText();
    QString problem;
    if (m_action == Restore) {
        const QComboBox *targets = m_route->restoreTargets();
        problem = CardRoute::restoreProblem(card, cardName, targets->currentData().toString(), targets->currentText());
    } else if (m_action != Import) {
        problem = CardRoute::writeProblem(m_sources, sourceIndex(), card, cardName, categories);
    }
    if (problem.isEmpty())
        return true;
    errorBox(this, problem);
    return false;
}

void CardWizard::chooseAction(Action action)
{
    m_action = action;
    showPage();
}

void CardWizard::showPage()
{
    const DriveEntry drive = m_drives->currentDrive();
    const bool busy = m_runner.isBusy();
    const bool choosing = m_step == 0 && !busy;
    m_choose->actions()->showChoice(m_action, choosing, busy, [this](Action action) { return isPossible(action); });

    // The import reads a folder, not the card: the route and the card's warning step aside.
    const bool importing = m_action == Import;
    const bool wrongFileSystem = !importing && !drive.rootPath.isEmpty() && !drive.folderCard
        && drive.fileSystem != u"FAT32";
    m_route->arrange(m_action);
    m_route->showRow(wrongFileSystem && CardFormatter::canFormat(drive), choosing, choosing);
    m_choose->warning()->showWarning(wrongFileSystem);

    const bool ready = m_step == 1;
    m_ready->writePage()->showPage(ready && m_action == Write, !busy);
    m_ready->appendPage()->showPage(ready && m_action == Append, !busy && !m_planShown);
    m_ready->importPage()->showPage(ready && importing, !busy);
    m_ready->progress().showPage(m_step, importing, busy, m_planShown);
    const QString route = routeText();
    m_ready->setRoute(route);
    m_done->setRoute(route);
    m_pages->setCurrentIndex(m_step);

    setControlText(m_nextButton, m_step == 2 ? Txt::WizardFinish : Txt::WizardNextFirst);
    const bool possible = isPossible(m_action)
        && (m_action != Append || m_step == 0 || m_ready->appendPage()->categories() != 0)
        && (!importing || m_step == 0 || isImportFolder(m_ready->importPage()->folder()));
    m_nextButton->setEnabled(!busy && (m_step == 2 || possible) && (!m_planShown || m_planFits));
    m_backButton->setEnabled(!busy && m_step == 1);
}

void CardWizard::setStep(int step)
{
    m_step = step;
    m_planShown = false;
    if (step == 1)
        m_ready->progress().clear();
    showPage();
}

void CardWizard::next()
{
    if (m_runner.isBusy() || !m_nextButton->isEnabled())
        return;
    switch (m_step) {
    case 0:
        // Nothing to copy, no card, or a library onto itself: said now, not after the options.
        if (checkRoute(CardAllCategories))
            setStep(1);
        break;
    case 1:
        if (m_action == Restore)
            runRestore();
        else if (m_action == Import)
            runImport();
        else if (!m_planShown)
            planWrite(m_action == Append);
        else
            runWrite(m_action == Append);
        break;
    default:
        accept();
        break;
    }
}

void CardWizard::back()
{
    if (!m_runner.isBusy() && m_step == 1)
        setStep(m_planShown ? 1 : 0);
}

void CardWizard::cancel()
{
    if (m_runner.isBusy())
        m_runner.requestStop();
    else
        QDialog::reject();
}

void CardWizard::reject()
{
    // Escape ends the wizard only when no work runs.
    if (!m_runner.isBusy())
        QDialog::reject();
}

void CardWizard::closeEvent(QCloseEvent *event)
{
    if (m_runner.isBusy())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void CardWizard::blinkTick()
{
    m_choose->warning()->blinkTick();
}

void CardWizard::format()
{
    if (m_runner.isBusy() || m_step != 0)
        return;
    CardFormatter formatter(this, m_udisks);
    if (formatter.format(m_drives->currentDrive()) == CardFormatter::Result::Declined) {
        QDialog::reject();
        return;
    }
    m_drives->refreshDrives();
    setStep(0);
}

void CardWizard::setInfo(int textId)
{
    if (m_step == 2)
        m_done->setResult(textId);
    else
        m_ready->progress().setInfo(textId);
}

Progress CardWizard::progress(const Progress &base)
{
    return m_ready->progress().progress(base, [this] { m_runner.pump(); });
}

QString CardWizard::chosenCard()
{
    const QString card = m_drives->drivePath();
    if (card.isEmpty() || !QFileInfo(card).isDir()) {
        errorBox(this, Lang::text(Txt::WizardCardGone).arg(card));
        setStep(0);
        return {};
    }
    return card;
}

void CardWizard::refuse(CardWriteCheck check, const QString &source, const QString &card)
{
    if (check == CardWriteCheck::CardMissing)
        errorBox(this, Lang::text(Txt::WizardCardGone).arg(card));
    else
        errorBox(this, cardFindingText(cardWriteRefusal(check, source, card)));
    setStep(0);
}

bool CardWizard::refused(const CardJobResult &result, const QString &image, const QString &card)
{
    if (result.status == CardJobResult::Status::Refused && result.check == CardWriteCheck::CardMissing)
        errorBox(this, Lang::text(Txt::WizardCardGone).arg(card));
    else if (const QString text = cardJobProblemText(result, image, card); !text.isEmpty())
        errorBox(this, text);
    else
        return false;
    setStep(0);
    return true;
}

void CardWizard::showFailures(const CardFindings &failures, const QString &backup)
{
    QStringList lines;
    for (const CardFinding &finding : failures)
        lines.append(cardFindingText(finding));
    errorBox(this, withBackup(Lang::text(Txt::CopyFailures).arg(failures.size()).arg(firstLines(lines)), backup));
}

void CardWizard::planWrite(bool append)
{
    const QString card = chosenCard();
    if (card.isEmpty())
        return;
    const int categories = append ? m_ready->appendPage()->categories() : int(CardAllCategories);
    // The source may have been emptied, or gone, since it was chosen.
    if (!checkRoute(categories)) {
        setStep(0);
        return;
    }
    CardWriteRequest request;
    request.image = m_sources.at(sourceIndex()).rootPath;
    request.card = card;
    request.append = append;
    request.volumeProbe = seamsOf(this).volumeProbe;
    request.categories = categories;
    const int heading = append ? Txt::PlanHeadingAppend : Txt::PlanHeading;

    CardPlanResult planned;
    m_runner.run([&](const Progress &base) {
        setInfo(heading);
        m_ready->progress().startOverall(countCardImage(request.image, request.categories).files);
        planned = planCardWrite(request, progress(base));
    });
    // The clear of a folder that is no card, or holds more than a card, needs an explicit yes.
    QString question;
    if (planned.check == CardWriteCheck::NotACard)
        question = Lang::text(Txt::WizardNotACardQuestion).arg(card);
    else if (planned.check == CardWriteCheck::ForeignEntries)
        question = Lang::text(Txt::WizardForeignQuestion).arg(card, firstLines(planned.entries));
    if (!question.isEmpty()) {
        if (questionBox(this, question, {}, QMessageBox::No) != QMessageBox::Yes)
            return;
        request.force = true;
        m_runner.run([&](const Progress &base) { planned = planCardWrite(request, progress(base)); });
    }
    if (planned.check != CardWriteCheck::Ok) {
        refuse(planned.check, request.image, card);
        return;
    }
    const CardPlan &plan = planned.plan;
    if (plan.stopped) {
        setStep(0);
        return;
    }
    if (plan.error.textId != 0) {
        errorBox(this, cardFindingText(plan.error));
        setStep(0);
        return;
    }
    if (append && !plan.hasChanges() && plan.leftovers.isEmpty()) {
        setStep(2);
        setInfo(Txt::WizardAppended);
        infoBox(this, Lang::text(Txt::CardNothingAppended));
        return;
    }

    m_ready->progress().showPlan(plan);
    m_request = request;
    m_planFits = plan.summary.shortfall() == 0;
    m_planShown = true;
    setInfo(heading);
    showPage();
}

void CardWizard::runWrite(bool append)
{
    const DriveEntry drive = m_drives->currentDrive();
    CardWriteRequest request = m_request;
    const QString card = request.card;
    if (!append && m_ready->writePage()->backup() && !isEmptyCardFolder(card)) {
        const CardBackupPlan plan = planCardBackup(card);
        if (!plan.leftOut.isEmpty()
            && questionBox(this,
                           Lang::text(Txt::BackupLeavesOut).arg(firstLines(plan.leftOut)).arg(plan.leftOut.size()), {},
                           QMessageBox::No)
                != QMessageBox::Yes)
            return;
        request.backupPath = cardBackupPath(m_backupDir, drive.label, QDateTime::currentDateTime());
        request.backup = plan.records;
    }

    CardJobResult result;
    m_runner.run([&](const Progress &base) {
        result = writeCard(request, progress(base), [this, &request](CardWriteStage stage) {
            static const int kTexts[] = {Txt::BackupRunning, Txt::WizardClearing, Txt::WizardCopying, Txt::SyncRunning};
            setInfo(kTexts[int(stage)]);
            if (stage == CardWriteStage::Copy) {
                m_ready->progress().startOverall(countCardImage(request.image, request.categories).files);
            }
            m_runner.pump();
        });
    });

    if (refused(result, request.image, card))
        return;
    if (result.status == CardJobResult::Status::Stopped) {
        infoBox(this,
                withBackup(Lang::text(append ? Txt::WizardAppendStopped : Txt::WizardWriteStopped), result.backupPath));
        setStep(0);
        return;
    }
    if (!result.failures.isEmpty())
        showFailures(result.failures, result.backupPath);
    if (!result.syncError.isEmpty())
        errorBox(this, Lang::text(Txt::SyncFailed).arg(card, result.syncError));
    if (!result.ok() || !verifyWrite(request, result.backupPath)) {
        setStep(0);
        return;
    }
    setStep(2);
    setInfo(append ? Txt::WizardAppended : Txt::WizardWritten);
    if (!result.backupPath.isEmpty())
        m_done->setDetail(Lang::text(Txt::BackupSaved).arg(result.backupPath));
    if (!append)
        return;
    if (result.changes.isEmpty()) {
        infoBox(this, Lang::text(Txt::CardNothingAppended));
    } else {
        AppendedFilesDialog dialog(result.changes, this);
        dialog.exec();
    }
}

bool CardWizard::verifyWrite(const CardWriteRequest &request, const QString &backup)
{
    if (m_beforeVerify)
        m_beforeVerify(request.card);
    CardVerifyResult check;
    m_runner.run([&](const Progress &base) {
        setInfo(Txt::VerifyRunning);
        m_ready->progress().startOverall(countCardImage(request.image, request.categories).files);
        // After a write the card holds the image and nothing else; an append leaves the rest alone.
        check = verifyCard(request.image, request.card, request.append ? request.categories : int(CardAllCategories),
                           !request.append, progress(base));
    });
    if (check.plan.stopped) {
        infoBox(this,
                withBackup(Lang::text(request.append ? Txt::WizardAppendStopped : Txt::WizardWriteStopped), backup));
        return false;
    }
    if (check.check != CardWriteCheck::Ok || check.plan.error.textId != 0) {
        const CardFinding error = check.plan.error.textId != 0
            ? check.plan.error
            : cardWriteRefusal(check.check, request.image, request.card);
        errorBox(this, withBackup(cardFindingText(error), backup));
        return false;
    }
    if (check.mismatches.isEmpty() && check.plan.notHandled.isEmpty())
        return true;
    QStringList differing;
    for (const CardPlanRow &row : check.mismatches)
        differing.append(row.path);
    // Names neither side can name differ too.
    for (const CardFinding &finding : check.plan.notHandled)
        differing.append(finding.name);
    errorBox(
        this,
        withBackup(
            Lang::text(Txt::VerifyMismatch).arg(differing.size()).arg(differing.mid(0, kMismatchesNamed).join(u'\n')),
            backup));
    return false;
}

void CardWizard::runRestore()
{
    const QString card = chosenCard();
    if (card.isEmpty())
        return;
    if (!checkRoute(CardAllCategories)) {
        setStep(0);
        return;
    }
    const QString label = m_drives->currentDrive().label;
    const QString target = m_route->restoreTargets()->currentData().toString();
    // The first entry is the new project; the others are libraries the card is read into.
    const bool intoProject = m_route->restoreTargets()->currentIndex() == 0;
    if (intoProject && m_mayReplaceProject && !m_mayReplaceProject()) {
        setStep(0);
        return;
    }
    CardJobResult result;
    m_runner.run([&](const Progress &base) {
        setInfo(Txt::WizardCopying);
        result = restoreCard(card, target, intoProject ? CardRestoreTarget::Image : CardRestoreTarget::Library,
                             progress(base));
    });
    if (result.status == CardJobResult::Status::ClearFailed) {
        errorBox(this, cardFindingText({Txt::DeleteFileFailed, result.error}));
        setStep(0);
        return;
    }
    if (refused(result, target, card))
        return;
    if (result.status == CardJobResult::Status::Stopped) {
        infoBox(this, Lang::text(Txt::WizardRestoreStopped));
        setStep(0);
        return;
    }
    if (!result.failures.isEmpty()) {
        showFailures(result.failures, {});
        setStep(0);
        return;
    }
    setStep(2);
    setInfo(intoProject ? Txt::WizardRestored : Txt::RestoredToLibrary);
    if (intoProject)
        emit projectRestored(target, label);
    else
        emit libraryRestored(target);
}

bool CardWizard::isImportFolder(const QString &folder) const
{
    // A relative path would be read against whatever folder the program happened to start in.
    const QFileInfo info(folder);
    return info.isAbsolute() && info.isDir();
}

bool CardWizard::checkImportFolder(const QString &folder)
{
    if (!isImportFolder(folder)) {
        errorBox(this, Lang::text(Txt::CardFolderMissing).arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    AppCore *core = AppCore::instance();
    if (core && isSameOrInside(folder, core->settings().lyricsDir())) {
        infoBox(this, Lang::text(Txt::WizardFolderInLibrary));
        return false;
    }
    return true;
}

void CardWizard::browseImportFolder()
{
    if (m_runner.isBusy())
        return;
    QString folder = chooseFolder(this, m_ready->importPage()->folder(), Lang::text(Txt::ImportFolderCaption));
    if (folder.isEmpty())
        return;
    if (!checkImportFolder(folder))
        folder.clear();
    m_ready->importPage()->setFolder(QDir::toNativeSeparators(folder));
}

void CardWizard::runImport()
{
    AppCore *core = AppCore::instance();
    const QString folder = QDir::cleanPath(m_ready->importPage()->folder());
    // The edit can be typed into, and the folder can go after it was chosen.
    if (!core || !checkImportFolder(folder)) {
        showPage();
        return;
    }
    bool accepted = false;
    bool importedAny = false;
    // The import dialog runs its own work; the wizard only stands still meanwhile.
    m_runner.run([&](const Progress &) {
        ImportSongsDialog dialog(*core, folder, this);
        dialog.setTarget(m_importTarget);
        accepted = dialog.exec() == QDialog::Accepted;
        if (accepted) {
            core->settings().setLastImportDir(folder);
            core->saveSettings();
        }
        importedAny = dialog.importedAny();
        if (importedAny)
            emit songsImported();
    });
    if (importedAny) {
        setStep(2);
        setInfo(Txt::WizardImported);
    } else if (!accepted) {
        infoBox(this, Lang::text(Txt::WizardImportStopped));
        setStep(0);
    }
}
