// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/card/cardwizard.h"

#include "core/app/appcore.h"
#include "core/app/cardmessages.h"
#include "core/app/datasize.h"
#include "core/app/language.h"
#include "core/card/cardbackup.h"
#include "core/card/cardreadjobs.h"
#include "core/card/cardrestorejob.h"
#include "core/util/fileutils.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"
#include "gui/card/appendedfilesdialog.h"
#include "gui/card/cardformatter.h"
#include "gui/widgets/drivecombo.h"
#include "gui/card/importsongsdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The actions in the order of the group box, with their label and description texts.
struct ActionTexts
{
    CardWizard::Action action;
    int label;
    int description;
};
constexpr ActionTexts kActions[] = {
    {CardWizard::Write, Txt::WizardWrite, Txt::WizardWriteInfo},
    {CardWizard::Append, Txt::WizardAppend, Txt::WizardAppendInfo},
    {CardWizard::Restore, Txt::WizardRestore, Txt::WizardRestoreInfo},
    {CardWizard::Import, Txt::WizardImport, Txt::WizardImportInfo},
};

const QColor kHighlight(255, 200, 200);
constexpr int kListedNames = 10;
constexpr int kMismatchesNamed = 5;

QLabel *boldLabel(QWidget *parent, const QString &objectName)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

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

    auto *actions = new QGroupBox(this);
    setControlText(actions, Txt::WizardChooseAction);
    auto *actionLayout = new QVBoxLayout(actions);
    static const char *const kNames[] = {"writeRadio", "restoreRadio", "appendRadio", "importRadio"};
    for (const ActionTexts &texts : kActions) {
        auto *radio = new QRadioButton(actions);
        radio->setObjectName(QLatin1StringView(kNames[texts.action]));
        setControlText(radio, texts.label);
        QFont font = radio->font();
        font.setBold(true);
        radio->setFont(font);
        auto *description = new QLabel(actions);
        setControlText(description, texts.description);
        // The texts break their own lines; a wrapped label would let the layout squeeze the box.
        description->setMargin(4);
        QPalette palette = description->palette();
        palette.setColor(QPalette::Window, kHighlight);
        description->setPalette(palette);
        actionLayout->addWidget(radio);
        actionLayout->addWidget(description);
        m_radios[texts.action] = radio;
        m_descriptions[texts.action] = description;
        connect(radio, &QRadioButton::clicked, this, [this, action = texts.action] { chooseAction(action); });
    }
    m_radios[Write]->setChecked(true);

    m_driveLabel = new QLabel(this);
    setControlText(m_driveLabel, Txt::ChooseDrive);
    m_drives = new DriveCombo(this);
    m_drives->setProvider(std::move(drives));
    m_formatButton = new QPushButton(this);
    m_formatButton->setObjectName(QStringLiteral("formatButton"));
    setControlText(m_formatButton, Txt::WizardFormat);
    auto *driveRow = new QHBoxLayout;
    driveRow->addWidget(m_driveLabel);
    driveRow->addWidget(m_drives, 1);
    driveRow->addWidget(m_formatButton);

    m_warningIcon = new QLabel(this);
    m_warningIcon->setObjectName(QStringLiteral("warningIcon"));
    m_warningIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    m_warningIcon->setFixedSize(32, 32);
    m_warningText = new QLabel(this);
    m_warningText->setObjectName(QStringLiteral("warningText"));
    setControlText(m_warningText, Txt::WizardFat32Warning);
    auto *warningRow = new QHBoxLayout;
    warningRow->addWidget(m_warningIcon);
    warningRow->addWidget(m_warningText, 1);

    m_backupBox = new QCheckBox(this);
    m_backupBox->setObjectName(QStringLiteral("backupBox"));
    setControlText(m_backupBox, Txt::WizardBackup);
    m_backupBox->setChecked(true);
    auto *categoryRow = new QHBoxLayout;
    static const int kCategoryTexts[] = {Txt::WizardSongs, Txt::WizardPlaylists, Txt::WizardSlides};
    static const char *const kCategoryNames[] = {"songsBox", "playlistsBox", "slidesBox"};
    for (int i = 0; i < 3; ++i) {
        m_categoryBoxes[i] = new QCheckBox(this);
        m_categoryBoxes[i]->setObjectName(QLatin1StringView(kCategoryNames[i]));
        setControlText(m_categoryBoxes[i], kCategoryTexts[i]);
        m_categoryBoxes[i]->setChecked(true);
        categoryRow->addWidget(m_categoryBoxes[i]);
        connect(m_categoryBoxes[i], &QCheckBox::toggled, this, &CardWizard::showPage);
    }
    categoryRow->addStretch(1);

    m_folderLabel = new QLabel(this);
    setControlText(m_folderLabel, Txt::WizardImportFolder);
    m_folderEdit = new QLineEdit(this);
    m_folderEdit->setObjectName(QStringLiteral("folderEdit"));
    if (AppCore *core = AppCore::instance())
        m_folderEdit->setText(core->settings().lastImportDir());
    m_browseButton = new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), QStringLiteral("..."), this);
    m_browseButton->setObjectName(QStringLiteral("browseButton"));
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folderLabel);
    folderRow->addWidget(m_folderEdit, 1);
    folderRow->addWidget(m_browseButton);
    m_planList = new QTreeWidget(this);
    m_planList->setObjectName(QStringLiteral("planList"));
    m_planList->setRootIsDecorated(false);
    m_planList->setUniformRowHeights(true);
    m_planList->setHeaderLabels({Lang::text(Txt::AppendedChangeColumn), Lang::text(Txt::AppendedKindColumn),
                                 Lang::text(Txt::AppendedNumberColumn), Lang::text(Txt::AppendedTitleColumn),
                                 QString()});
    m_planList->setMinimumHeight(8 * m_planList->fontMetrics().lineSpacing());
    m_planSummary = new QLabel(this);
    m_planSummary->setObjectName(QStringLiteral("planSummary"));
    m_planSummary->setWordWrap(true);
    m_planSummary->setMinimumHeight(3 * m_planSummary->fontMetrics().lineSpacing());

    m_infoLine = boldLabel(this, QStringLiteral("infoLine"));
    m_directoryText = new QLabel(this);
    m_directoryText->setObjectName(QStringLiteral("directoryText"));
    // Two lines: room for the path of a backup.
    m_directoryText->setWordWrap(true);
    m_directoryText->setMinimumHeight(2 * m_directoryText->fontMetrics().lineSpacing());
    m_fileText = new QLabel(this);
    m_fileText->setObjectName(QStringLiteral("fileText"));
    m_fileProgress = new QProgressBar(this);
    m_fileProgress->setObjectName(QStringLiteral("fileProgress"));
    m_overallProgress = new QProgressBar(this);
    m_overallProgress->setObjectName(QStringLiteral("overallProgress"));
    for (QProgressBar *bar : {m_fileProgress, m_overallProgress})
        bar->setTextVisible(false);

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

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(actions);
    layout->addLayout(driveRow);
    layout->addLayout(folderRow);
    layout->addLayout(warningRow);
    layout->addWidget(m_backupBox);
    layout->addLayout(categoryRow);
    layout->addWidget(m_infoLine);
    layout->addWidget(m_planList, 1);
    layout->addWidget(m_planSummary);
    layout->addWidget(m_directoryText);
    layout->addWidget(m_fileText);
    layout->addWidget(m_fileProgress);
    layout->addWidget(m_overallProgress);
    layout->addStretch(1);
    layout->addLayout(buttonRow);
    // Every page keeps the places of the others, so the window never has to grow or shrink.
    QList<QWidget *> paged = {m_formatButton, m_warningIcon, m_warningText, m_backupBox, m_infoLine, m_directoryText,
                              m_fileText, m_fileProgress, m_overallProgress, m_planList, m_planSummary};
    paged << m_driveLabel << m_drives << m_folderLabel << m_folderEdit << m_browseButton;
    for (QCheckBox *box : m_categoryBoxes)
        paged.append(box);
    for (QWidget *widget : std::as_const(paged)) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }

    connect(m_nextButton, &QPushButton::clicked, this, &CardWizard::next);
    connect(m_backButton, &QPushButton::clicked, this, &CardWizard::back);
    connect(m_cancelButton, &QPushButton::clicked, this, &CardWizard::cancel);
    connect(m_formatButton, &QPushButton::clicked, this, &CardWizard::format);
    connect(m_browseButton, &QPushButton::clicked, this, &CardWizard::browseImportFolder);
    connect(m_folderEdit, &QLineEdit::textChanged, this, &CardWizard::showPage);
    // The drive check: every change of the chosen drive shows the page again.
    connect(m_drives, &DriveCombo::cardInserted, this, &CardWizard::showPage);
    connect(m_drives, &DriveCombo::cardRemoved, this, &CardWizard::showPage);
    connect(m_drives, &DriveCombo::driveChanged, this, &CardWizard::showPage);
    m_blink.setInterval(500);
    connect(&m_blink, &QTimer::timeout, this, &CardWizard::blinkTick);

    m_drives->refreshDrives();
    m_drives->enablePolling(true);
    showPage();
}

CardWizard::~CardWizard() = default;

bool CardWizard::isPossible(Action action) const
{
    if (action == Import)
        return true;
    const DriveEntry drive = m_drives->currentDrive();
    if (drive.rootPath.isEmpty() || (!drive.folderCard && drive.fileSystem != u"FAT32"))
        return false;
    return action == Restore || !drive.readOnly;
}

void CardWizard::chooseAction(Action action)
{
    m_action = action;
    showPage();
}

void CardWizard::showPage()
{
    const DriveEntry drive = m_drives->currentDrive();
    const bool choosing = m_step == 0 && !m_busy;
    for (int a = 0; a < 4; ++a) {
        m_radios[a]->setChecked(a == m_action);
        m_radios[a]->setEnabled(choosing ? isPossible(Action(a)) : a == m_action && !m_busy);
        m_descriptions[a]->setAutoFillBackground(a == m_action);
    }

    // The import reads a folder, not the card: the drive and its warning step aside.
    const bool importing = m_action == Import;
    m_driveLabel->setVisible(!importing);
    m_drives->setVisible(!importing);
    const bool wrongFileSystem =
        !importing && !drive.rootPath.isEmpty() && !drive.folderCard && drive.fileSystem != u"FAT32";
    m_formatButton->setVisible(wrongFileSystem && CardFormatter::canFormat(drive));
    m_formatButton->setEnabled(choosing);
    m_warningText->setVisible(wrongFileSystem);
    if (!wrongFileSystem) {
        m_blink.stop();
        m_warningIcon->hide();
    } else if (!m_blink.isActive()) {
        m_warningIcon->show();
        m_blink.start();
    }
    // The plan shown holds for this drive and these categories only.
    m_drives->setEnabled(!m_busy && !m_planShown && m_drives->count() > 0);

    const bool ready = m_step == 1;
    m_backupBox->setVisible(ready && m_action == Write);
    m_backupBox->setEnabled(!m_busy);
    bool categoryChosen = false;
    for (QCheckBox *box : m_categoryBoxes) {
        box->setVisible(ready && m_action == Append);
        box->setEnabled(!m_busy && !m_planShown);
        categoryChosen = categoryChosen || box->isChecked();
    }
    for (QWidget *widget : std::initializer_list<QWidget *>{m_folderLabel, m_folderEdit, m_browseButton}) {
        widget->setVisible(ready && importing);
        widget->setEnabled(!m_busy);
    }
    m_infoLine->setVisible(m_step > 0);
    m_directoryText->setVisible(m_step > 0);
    m_fileText->setVisible(m_step > 0);
    // The import shows its progress in a dialog of its own: the wizard's bar would stand idle.
    m_fileProgress->setVisible(ready && !importing && (m_busy || !m_planShown));
    m_overallProgress->setVisible(ready && m_busy);
    m_planList->setVisible(ready && m_planShown);
    m_planSummary->setVisible(ready && m_planShown);

    setControlText(m_nextButton, m_step == 2 ? Txt::WizardFinish : Txt::WizardNextFirst);
    const bool possible = isPossible(m_action) && (m_action != Append || m_step == 0 || categoryChosen)
                          && (!importing || m_step == 0 || isImportFolder(m_folderEdit->text()));
    m_nextButton->setEnabled(!m_busy && (m_step == 2 || possible) && (!m_planShown || m_planFits));
    m_backButton->setEnabled(!m_busy && m_step == 1);
}

void CardWizard::setStep(int step)
{
    m_step = step;
    m_planShown = false;
    if (step == 1) {
        for (QLabel *text : {m_infoLine, m_directoryText, m_fileText})
            text->clear();
        m_fileProgress->setRange(0, 1);
        m_fileProgress->setValue(0);
    }
    showPage();
}

void CardWizard::next()
{
    if (m_busy || !m_nextButton->isEnabled())
        return;
    switch (m_step) {
    case 0:
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
    if (!m_busy && m_step == 1)
        setStep(m_planShown ? 1 : 0);
}

void CardWizard::cancel()
{
    if (m_busy)
        m_stop = true;
    else
        QDialog::reject();
}

void CardWizard::reject()
{
    // Escape ends the wizard only when no work runs.
    if (!m_busy)
        QDialog::reject();
}

void CardWizard::closeEvent(QCloseEvent *event)
{
    if (m_busy)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void CardWizard::blinkTick()
{
    m_warningIcon->setHidden(!m_warningIcon->isHidden());
}

void CardWizard::format()
{
    if (m_busy || m_step != 0)
        return;
    CardFormatter formatter(this, m_udisks);
    if (formatter.format(m_drives->currentDrive()) == CardFormatter::Result::Declined) {
        QDialog::reject();
        return;
    }
    m_drives->refreshDrives();
    setStep(0);
}

void CardWizard::setBusy(bool busy)
{
    m_busy = busy;
    if (busy)
        m_stop = false;
    m_drives->enablePolling(!busy);
    showPage();
}

void CardWizard::setInfo(int textId)
{
    m_infoLine->setText(Lang::text(textId));
    m_directoryText->clear();
    m_fileText->clear();
}

Progress CardWizard::progress()
{
    Progress progress;
    progress.onDirectory = [this](const QString &name) {
        m_directoryText->setText(name);
        QApplication::processEvents();
    };
    progress.onFile = [this](const QString &name, int index, int count) {
        m_fileText->setText(name);
        if (count > 0) {
            m_fileProgress->setRange(0, count);
            m_fileProgress->setValue(index + 1);
        }
        QApplication::processEvents();
    };
    progress.onCounter = [this](int done) { m_overallProgress->setValue(done); };
    progress.stop = &m_stop;
    return progress;
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

void CardWizard::refuse(CardWriteCheck check, const QString &card)
{
    if (check == CardWriteCheck::CardMissing)
        errorBox(this, Lang::text(Txt::WizardCardGone).arg(card));
    else
        errorBox(this, cardFindingText(cardWriteRefusal(check, m_image, card)));
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
    CardWriteRequest request;
    request.image = m_image;
    request.card = card;
    request.append = append;
    if (append) {
        request.categories = 0;
        const int bits[] = {CardSongs, CardPlaylists, CardSlides};
        for (int i = 0; i < 3; ++i)
            request.categories |= m_categoryBoxes[i]->isChecked() ? bits[i] : 0;
    }

    setBusy(true);
    setInfo(Txt::PlanHeading);
    m_overallProgress->setRange(0, std::max(1, countCardImage(m_image, request.categories).files));
    m_overallProgress->setValue(0);
    CardPlanResult planned = planCardWrite(request, progress());
    setBusy(false);
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
        setBusy(true);
        planned = planCardWrite(request, progress());
        setBusy(false);
    }
    m_stop = false;
    if (planned.check != CardWriteCheck::Ok) {
        refuse(planned.check, card);
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

    QList<QTreeWidgetItem *> items;
    for (const CardPlanRow &row : plan.rows) {
        if (row.change == CardPlanChange::Same)
            continue;
        const QString number =
            row.kind == CardPlanRow::Other ? QString() : QStringLiteral("%1").arg(row.number, 4, 10, QLatin1Char('0'));
        auto *item = new QTreeWidgetItem({cardPlanChangeText(row.change, plan.mode), cardPlanKindText(row.kind),
                                          number, row.title, dataSizeText(row.bytes)});
        item->setToolTip(3, row.path);
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    for (const QString &path : plan.leftovers) {
        auto *item = new QTreeWidgetItem({Lang::text(Txt::PlanLeftover), cardPlanKindText(CardPlanRow::Other), QString(),
                                          path.section(u'/', -1)});
        item->setToolTip(3, path);
        items.append(item);
    }
    m_planList->clear();
    m_planList->addTopLevelItems(items);
    for (int column = 0; column < m_planList->columnCount(); ++column)
        m_planList->resizeColumnToContents(column);
    m_planSummary->setText(cardPlanSummaryLines(plan.summary).join(u'\n'));
    m_request = request;
    m_planFits = plan.summary.shortfall() == 0;
    m_planShown = true;
    setInfo(Txt::PlanHeading);
    showPage();
}

void CardWizard::runWrite(bool append)
{
    const DriveEntry drive = m_drives->currentDrive();
    CardWriteRequest request = m_request;
    const QString card = request.card;
    if (!append && m_backupBox->isChecked() && !isEmptyCardFolder(card)) {
        const CardBackupPlan plan = planCardBackup(card);
        if (!plan.leftOut.isEmpty()
            && questionBox(this, Lang::text(Txt::BackupLeavesOut).arg(firstLines(plan.leftOut)).arg(plan.leftOut.size()),
                           {}, QMessageBox::No)
                   != QMessageBox::Yes)
            return;
        request.backupPath = cardBackupPath(m_backupDir, drive.label, QDateTime::currentDateTime());
        request.backup = plan.records;
    }

    setBusy(true);
    const CardJobResult result = writeCard(request, progress(), [this, &request](CardWriteStage stage) {
        static const int kTexts[] = {Txt::BackupRunning, Txt::WizardClearing, Txt::WizardCopying, Txt::SyncRunning};
        setInfo(kTexts[int(stage)]);
        if (stage == CardWriteStage::Copy) {
            m_overallProgress->setRange(0, std::max(1, countCardImage(request.image, request.categories).files));
            m_overallProgress->setValue(0);
        }
        QApplication::processEvents();
    });
    m_stop = false;
    setBusy(false);

    if (refused(result, request.image, card))
        return;
    if (result.status == CardJobResult::Status::Stopped) {
        infoBox(this, withBackup(Lang::text(append ? Txt::WizardAppendStopped : Txt::WizardWriteStopped),
                                 result.backupPath));
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
    m_lastBackup = result.backupPath;
    setStep(2);
    setInfo(append ? Txt::WizardAppended : Txt::WizardWritten);
    if (!m_lastBackup.isEmpty())
        m_directoryText->setText(Lang::text(Txt::BackupSaved).arg(m_lastBackup));
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
    setBusy(true);
    setInfo(Txt::VerifyRunning);
    m_overallProgress->setRange(0, std::max(1, countCardImage(request.image, request.categories).files));
    m_overallProgress->setValue(0);
    // After a write the card holds the image and nothing else; an append leaves the rest alone.
    const CardVerifyResult check = verifyCard(request.image, request.card,
                                              request.append ? request.categories : int(CardAllCategories),
                                              !request.append, progress());
    m_stop = false;
    setBusy(false);
    if (check.plan.stopped) {
        infoBox(this, withBackup(Lang::text(request.append ? Txt::WizardAppendStopped : Txt::WizardWriteStopped), backup));
        return false;
    }
    if (check.check != CardWriteCheck::Ok || check.plan.error.textId != 0) {
        const CardFinding error = check.plan.error.textId != 0 ? check.plan.error
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
    errorBox(this, withBackup(Lang::text(Txt::VerifyMismatch).arg(differing.size()).arg(differing.mid(0, kMismatchesNamed).join(u'\n')),
                              backup));
    return false;
}

void CardWizard::runRestore()
{
    const QString card = chosenCard();
    if (card.isEmpty())
        return;
    setBusy(true);
    setInfo(Txt::WizardCopying);
    const CardJobResult result = restoreCard(card, m_image, CardRestoreTarget::Image, progress());
    m_stop = false;
    setBusy(false);
    if (result.status == CardJobResult::Status::ClearFailed) {
        errorBox(this, cardFindingText({Txt::DeleteFileFailed, result.error}));
        setStep(0);
        return;
    }
    if (refused(result, m_image, card))
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
    setInfo(Txt::WizardRestored);
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
    if (m_busy)
        return;
    QString folder = chooseFolder(this, m_folderEdit->text(), Lang::text(Txt::ImportFolderCaption));
    if (folder.isEmpty())
        return;
    if (!checkImportFolder(folder))
        folder.clear();
    m_folderEdit->setText(QDir::toNativeSeparators(folder));
}

void CardWizard::runImport()
{
    AppCore *core = AppCore::instance();
    const QString folder = QDir::cleanPath(m_folderEdit->text());
    // The edit can be typed into, and the folder can go after it was chosen.
    if (!core || !checkImportFolder(folder)) {
        showPage();
        return;
    }
    setBusy(true);
    ImportSongsDialog dialog(*core, folder, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (accepted) {
        core->settings().setLastImportDir(folder);
        core->saveSettings();
    }
    if (dialog.importedAny())
        emit songsImported();
    setBusy(false);
    if (dialog.importedAny()) {
        setStep(2);
        setInfo(Txt::WizardImported);
    } else if (!accepted) {
        infoBox(this, Lang::text(Txt::WizardImportStopped));
        setStep(0);
    }
}
