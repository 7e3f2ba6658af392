// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/card/cardwizardpages.h"

#include "core/app/cardmessages.h"
#include "core/app/datasize.h"
#include "core/app/language.h"
#include "core/card/cardcopy.h"
#include "gui/app/dialogtext.h"
#include "gui/widgets/drivecombo.h"

#include <QCheckBox>
#include <QHBoxLayout>
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
    CardAction action;
    int label;
    int description;
};
constexpr ActionTexts kActions[] = {
    {CardAction::Write, Txt::WizardWrite, Txt::WizardWriteInfo},
    {CardAction::Append, Txt::WizardAppend, Txt::WizardAppendInfo},
    {CardAction::Restore, Txt::WizardRestore, Txt::WizardRestoreInfo},
    {CardAction::Import, Txt::WizardImport, Txt::WizardImportInfo},
};
const char *const kRadioNames[] = {"writeRadio", "restoreRadio", "appendRadio", "importRadio"};

const QColor kHighlight(255, 200, 200);

// A hidden widget keeps its place in the layout.
void retainPlace(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

template <typename Layout>
Layout *bareLayout(QWidget *widget)
{
    auto *layout = new Layout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

QLabel *boldLabel(QWidget *parent, const QString &objectName)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

CardActionPage::CardActionPage(QWidget *parent) : QGroupBox(parent)
{
    setControlText(this, Txt::WizardChooseAction);
    auto *layout = new QVBoxLayout(this);
    for (const ActionTexts &texts : kActions) {
        const int index = int(texts.action);
        auto *radio = new QRadioButton(this);
        radio->setObjectName(QLatin1StringView(kRadioNames[index]));
        setControlText(radio, texts.label);
        QFont font = radio->font();
        font.setBold(true);
        radio->setFont(font);
        auto *description = new QLabel(this);
        setControlText(description, texts.description);
        // The texts break their own lines; a wrapped label would let the layout squeeze the box.
        description->setMargin(4);
        QPalette palette = description->palette();
        palette.setColor(QPalette::Window, kHighlight);
        description->setPalette(palette);
        layout->addWidget(radio);
        layout->addWidget(description);
        m_radios[index] = radio;
        m_descriptions[index] = description;
        connect(radio, &QRadioButton::clicked, this, [this, action = texts.action] { emit chosen(action); });
    }
    m_radios[int(CardAction::Write)]->setChecked(true);
}

void CardActionPage::showChoice(CardAction current, bool choosing, bool busy,
                                const std::function<bool(CardAction)> &possible)
{
    for (int a = 0; a < 4; ++a) {
        const bool isCurrent = a == int(current);
        m_radios[a]->setChecked(isCurrent);
        m_radios[a]->setEnabled(choosing ? possible(CardAction(a)) : isCurrent && !busy);
        m_descriptions[a]->setAutoFillBackground(isCurrent);
    }
}

CardDriveRow::CardDriveRow(std::shared_ptr<DriveProvider> drives, QWidget *parent) : QWidget(parent)
{
    m_label = new QLabel(this);
    setControlText(m_label, Txt::ChooseDrive);
    m_drives = new DriveCombo(this);
    m_drives->setProvider(std::move(drives));
    m_formatButton = new QPushButton(this);
    m_formatButton->setObjectName(QStringLiteral("formatButton"));
    setControlText(m_formatButton, Txt::WizardFormat);
    auto *row = bareLayout<QHBoxLayout>(this);
    row->addWidget(m_label);
    row->addWidget(m_drives, 1);
    row->addWidget(m_formatButton);
    for (QWidget *widget :
         {static_cast<QWidget *>(m_label), static_cast<QWidget *>(m_drives), static_cast<QWidget *>(m_formatButton)})
        retainPlace(widget);
    connect(m_formatButton, &QPushButton::clicked, this, &CardDriveRow::formatRequested);
}

void CardDriveRow::showRow(bool shown, bool canFormat, bool choosing, bool listEnabled)
{
    m_label->setVisible(shown);
    m_drives->setVisible(shown);
    m_formatButton->setVisible(canFormat);
    m_formatButton->setEnabled(choosing);
    m_drives->setEnabled(listEnabled);
}

CardWarningRow::CardWarningRow(QWidget *parent) : QWidget(parent)
{
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("warningIcon"));
    m_icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    m_icon->setFixedSize(32, 32);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("warningText"));
    setControlText(m_text, Txt::WizardFat32Warning);
    auto *row = bareLayout<QHBoxLayout>(this);
    row->addWidget(m_icon);
    row->addWidget(m_text, 1);
    retainPlace(m_icon);
    retainPlace(m_text);
    m_blink.setInterval(500);
    connect(&m_blink, &QTimer::timeout, this, &CardWarningRow::blinkTick);
}

void CardWarningRow::showWarning(bool shown)
{
    m_text->setVisible(shown);
    if (!shown) {
        m_blink.stop();
        m_icon->hide();
    } else if (!m_blink.isActive()) {
        m_icon->show();
        m_blink.start();
    }
}

void CardWarningRow::blinkTick()
{
    m_icon->setHidden(!m_icon->isHidden());
}

ImportFolderPage::ImportFolderPage(QWidget *parent) : QWidget(parent)
{
    m_label = new QLabel(this);
    setControlText(m_label, Txt::WizardImportFolder);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("folderEdit"));
    m_browseButton = new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), QStringLiteral("..."), this);
    m_browseButton->setObjectName(QStringLiteral("browseButton"));
    auto *row = bareLayout<QHBoxLayout>(this);
    row->addWidget(m_label);
    row->addWidget(m_edit, 1);
    row->addWidget(m_browseButton);
    for (QWidget *widget : std::initializer_list<QWidget *>{m_label, m_edit, m_browseButton})
        retainPlace(widget);
    connect(m_edit, &QLineEdit::textChanged, this, &ImportFolderPage::changed);
    connect(m_browseButton, &QPushButton::clicked, this, &ImportFolderPage::browseRequested);
}

QString ImportFolderPage::folder() const
{
    return m_edit->text();
}

void ImportFolderPage::setFolder(const QString &folder)
{
    m_edit->setText(folder);
}

void ImportFolderPage::showPage(bool shown, bool enabled)
{
    for (QWidget *widget : std::initializer_list<QWidget *>{m_label, m_edit, m_browseButton}) {
        widget->setVisible(shown);
        widget->setEnabled(enabled);
    }
}

WriteOptionsPage::WriteOptionsPage(QWidget *parent) : QWidget(parent)
{
    m_backupBox = new QCheckBox(this);
    m_backupBox->setObjectName(QStringLiteral("backupBox"));
    setControlText(m_backupBox, Txt::WizardBackup);
    m_backupBox->setChecked(true);
    retainPlace(m_backupBox);
    bareLayout<QVBoxLayout>(this)->addWidget(m_backupBox);
}

bool WriteOptionsPage::backup() const
{
    return m_backupBox->isChecked();
}

void WriteOptionsPage::showPage(bool shown, bool enabled)
{
    m_backupBox->setVisible(shown);
    m_backupBox->setEnabled(enabled);
}

AppendOptionsPage::AppendOptionsPage(QWidget *parent) : QWidget(parent)
{
    auto *row = bareLayout<QHBoxLayout>(this);
    static const int kTexts[] = {Txt::WizardSongs, Txt::WizardPlaylists, Txt::WizardSlides};
    static const char *const kNames[] = {"songsBox", "playlistsBox", "slidesBox"};
    for (int i = 0; i < 3; ++i) {
        m_boxes[i] = new QCheckBox(this);
        m_boxes[i]->setObjectName(QLatin1StringView(kNames[i]));
        setControlText(m_boxes[i], kTexts[i]);
        m_boxes[i]->setChecked(true);
        retainPlace(m_boxes[i]);
        row->addWidget(m_boxes[i]);
        connect(m_boxes[i], &QCheckBox::toggled, this, &AppendOptionsPage::changed);
    }
    row->addStretch(1);
}

int AppendOptionsPage::categories() const
{
    const int bits[] = {CardSongs, CardPlaylists, CardSlides};
    int categories = 0;
    for (int i = 0; i < 3; ++i)
        categories |= m_boxes[i]->isChecked() ? bits[i] : 0;
    return categories;
}

void AppendOptionsPage::showPage(bool shown, bool enabled)
{
    for (QCheckBox *box : m_boxes) {
        box->setVisible(shown);
        box->setEnabled(enabled);
    }
}

CardProgressView::CardProgressView(QWidget *parent)
{
    m_infoLine = boldLabel(parent, QStringLiteral("infoLine"));
    m_planList = new QTreeWidget(parent);
    m_planList->setObjectName(QStringLiteral("planList"));
    m_planList->setRootIsDecorated(false);
    m_planList->setUniformRowHeights(true);
    m_planList->setHeaderLabels({Lang::text(Txt::AppendedChangeColumn), Lang::text(Txt::AppendedKindColumn),
                                 Lang::text(Txt::AppendedNumberColumn), Lang::text(Txt::AppendedTitleColumn),
                                 QString()});
    m_planList->setMinimumHeight(8 * m_planList->fontMetrics().lineSpacing());
    m_planSummary = new QLabel(parent);
    m_planSummary->setObjectName(QStringLiteral("planSummary"));
    m_planSummary->setWordWrap(true);
    m_planSummary->setMinimumHeight(3 * m_planSummary->fontMetrics().lineSpacing());
    m_directoryText = new QLabel(parent);
    m_directoryText->setObjectName(QStringLiteral("directoryText"));
    // Two lines: room for the path of a backup.
    m_directoryText->setWordWrap(true);
    m_directoryText->setMinimumHeight(2 * m_directoryText->fontMetrics().lineSpacing());
    m_fileText = new QLabel(parent);
    m_fileText->setObjectName(QStringLiteral("fileText"));
    m_fileProgress = new QProgressBar(parent);
    m_fileProgress->setObjectName(QStringLiteral("fileProgress"));
    m_overallProgress = new QProgressBar(parent);
    m_overallProgress->setObjectName(QStringLiteral("overallProgress"));

    for (QProgressBar *bar : {m_fileProgress, m_overallProgress})
        bar->setTextVisible(false);
    for (QWidget *widget : std::initializer_list<QWidget *>{m_infoLine, m_planList, m_planSummary, m_directoryText,
                                                            m_fileText, m_fileProgress, m_overallProgress})
        retainPlace(widget);
}

void CardProgressView::addTo(QBoxLayout *layout)
{
    layout->addWidget(m_infoLine);
    layout->addWidget(m_planList, 1);
    layout->addWidget(m_planSummary);
    layout->addWidget(m_directoryText);
    layout->addWidget(m_fileText);
    layout->addWidget(m_fileProgress);
    layout->addWidget(m_overallProgress);
}

void CardProgressView::setInfo(int textId)
{
    m_infoLine->setText(Lang::text(textId));
    m_directoryText->clear();
    m_fileText->clear();
}

void CardProgressView::clear()
{
    for (QLabel *text : {m_infoLine, m_directoryText, m_fileText})
        text->clear();
    m_fileProgress->setRange(0, 1);
    m_fileProgress->setValue(0);
}

void CardProgressView::setDirectoryText(const QString &text)
{
    m_directoryText->setText(text);
}

void CardProgressView::startOverall(int files)
{
    m_overallProgress->setRange(0, std::max(1, files));
    m_overallProgress->setValue(0);
}

void CardProgressView::showPlan(const CardPlan &plan)
{
    QList<QTreeWidgetItem *> items;
    for (const CardPlanRow &row : plan.rows) {
        if (row.change == CardPlanChange::Same)
            continue;
        const QString number = row.kind == CardPlanRow::Other
            ? QString()
            : QStringLiteral("%1").arg(row.number, 4, 10, QLatin1Char('0'));
        auto *item = new QTreeWidgetItem({cardPlanChangeText(row.change, plan.mode), cardPlanKindText(row.kind), number,
                                          row.title, dataSizeText(row.bytes)});
        item->setToolTip(3, row.path);
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    for (const QString &path : plan.leftovers) {
        auto *item = new QTreeWidgetItem(
            {Lang::text(Txt::PlanLeftover), cardPlanKindText(CardPlanRow::Other), QString(), path.section(u'/', -1)});
        item->setToolTip(3, path);
        items.append(item);
    }
    m_planList->clear();
    m_planList->addTopLevelItems(items);
    for (int column = 0; column < m_planList->columnCount(); ++column)
        m_planList->resizeColumnToContents(column);
    m_planSummary->setText(cardPlanSummaryLines(plan.summary).join(u'\n'));
}

void CardProgressView::showPage(int step, bool importing, bool busy, bool planShown)
{
    const bool ready = step == 1;
    m_infoLine->setVisible(step > 0);
    m_directoryText->setVisible(step > 0);
    m_fileText->setVisible(step > 0);
    // The import shows its progress in a dialog of its own: the wizard's bar would stand idle.
    m_fileProgress->setVisible(ready && !importing && (busy || !planShown));
    m_overallProgress->setVisible(ready && busy);
    m_planList->setVisible(ready && planShown);
    m_planSummary->setVisible(ready && planShown);
}

Progress CardProgressView::progress(const Progress &base, const std::function<void()> &pump)
{
    Progress progress = base;
    progress.onDirectory = [this, pump](const QString &name) {
        m_directoryText->setText(name);
        pump();
    };
    progress.onFile = [this, pump](const QString &name, int index, int count) {
        m_fileText->setText(name);
        if (count > 0) {
            m_fileProgress->setRange(0, count);
            m_fileProgress->setValue(index + 1);
        }
        pump();
    };
    progress.onCounter = [this](int done) { m_overallProgress->setValue(done); };
    return progress;
}
