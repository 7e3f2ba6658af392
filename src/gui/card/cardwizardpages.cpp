// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/card/cardwizardpages.h"

#include "core/app/language.h"
#include "gui/app/dialogtext.h"
#include "gui/card/cardwizardoptions.h"
#include "gui/card/cardwizardparts.h"
#include "gui/widgets/drivecombo.h"
#include "gui/widgets/themecolours.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

using CardWizardParts::bareLayout;
using CardWizardParts::boldLabel;
using CardWizardParts::retainPlace;

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

QComboBox *routeList(QWidget *parent, const QString &objectName)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(objectName);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(12);
    return list;
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
        const QColor band = ThemeColours::background(kHighlight, palette); // a deep shade on a dark window
        palette.setColor(QPalette::Window, band);
        palette.setColor(QPalette::WindowText, ThemeColours::textOn(band));
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

CardRouteRows::CardRouteRows(std::shared_ptr<DriveProvider> drives, QWidget *parent) : QWidget(parent)
{
    m_fromLabel = new QLabel(this);
    setControlText(m_fromLabel, Txt::RouteFrom);
    m_toLabel = new QLabel(this);
    setControlText(m_toLabel, Txt::RouteTo);
    m_sources = routeList(this, QStringLiteral("sourceList"));
    m_drives = new DriveCombo(this);
    m_drives->setProvider(std::move(drives));
    m_drives->setChoosesFirst(false);
    m_drives->setPlaceholderText(Lang::text(Txt::ChooseCardPlaceholder));
    m_restoreTargets = routeList(this, QStringLiteral("restoreTargetList"));
    m_formatButton = new QPushButton(this);
    m_formatButton->setObjectName(QStringLiteral("formatButton"));
    setControlText(m_formatButton, Txt::WizardFormat);
    retainPlace(m_formatButton);
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->addWidget(m_fromLabel, 0, 0);
    m_grid->addWidget(m_toLabel, 1, 0);
    m_grid->addWidget(m_formatButton, 1, 2);
    m_grid->setColumnStretch(1, 1);
    arrange(CardAction::Write);
    connect(m_formatButton, &QPushButton::clicked, this, &CardRouteRows::formatRequested);
    connect(m_sources, &QComboBox::currentIndexChanged, this, &CardRouteRows::changed);
    connect(m_restoreTargets, &QComboBox::currentIndexChanged, this, &CardRouteRows::changed);
}

void CardRouteRows::arrange(CardAction action)
{
    if (action == m_arranged)
        return;
    m_arranged = action;
    for (QWidget *list : {static_cast<QWidget *>(m_sources), static_cast<QWidget *>(m_drives),
                          static_cast<QWidget *>(m_restoreTargets)})
        m_grid->removeWidget(list);
    const bool restore = action == CardAction::Restore;
    QWidget *from = restore ? static_cast<QWidget *>(m_drives) : m_sources;
    QWidget *to = restore ? static_cast<QWidget *>(m_restoreTargets) : m_drives;
    m_grid->addWidget(from, 0, 1);
    m_grid->addWidget(to, 1, 1);
    const bool shown = action != CardAction::Import;
    m_sources->setVisible(shown && !restore);
    m_restoreTargets->setVisible(shown && restore);
    m_drives->setVisible(shown);
    m_fromLabel->setVisible(shown);
    m_toLabel->setVisible(shown);
    // The card list's own row holds "Formatuj": the card is what the drive check is about.
    m_grid->removeWidget(m_formatButton);
    m_grid->addWidget(m_formatButton, restore ? 0 : 1, 2);
    // Tab goes from "Z:" to "Na:"; a screen reader names each list after its row.
    setTabOrder(from, to);
    m_fromLabel->setBuddy(from);
    m_toLabel->setBuddy(to);
    from->setAccessibleName(Lang::text(Txt::RouteFrom).remove(u'&').remove(u':').trimmed());
    to->setAccessibleName(Lang::text(Txt::RouteTo).remove(u'&').remove(u':').trimmed());
}

void CardRouteRows::showRow(bool canFormat, bool choosing, bool listsEnabled)
{
    m_formatButton->setVisible(canFormat);
    m_formatButton->setEnabled(choosing);
    m_drives->setEnabled(listsEnabled && m_drives->count() > 0);
    m_sources->setEnabled(listsEnabled && choosing);
    m_restoreTargets->setEnabled(listsEnabled && choosing);
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

CardChooseStep::CardChooseStep(std::shared_ptr<DriveProvider> drives, QWidget *parent) : QWidget(parent)
{
    m_actions = new CardActionPage(this);
    m_route = new CardRouteRows(std::move(drives), this);
    m_warning = new CardWarningRow(this);
    auto *layout = bareLayout<QVBoxLayout>(this);
    layout->addWidget(m_actions);
    layout->addWidget(m_route);
    layout->addWidget(m_warning);
    layout->addStretch(1);
}

CardReadyStep::CardReadyStep(QWidget *parent) : QWidget(parent)
{
    m_route = boldLabel(this, QStringLiteral("routeLine"));
    m_writePage = new WriteOptionsPage(this);
    m_appendPage = new AppendOptionsPage(this);
    m_importPage = new ImportFolderPage(this);
    m_progress = std::make_unique<CardProgressView>(this);
    auto *layout = bareLayout<QVBoxLayout>(this);
    for (QWidget *widget : std::initializer_list<QWidget *>{m_route, m_writePage, m_appendPage, m_importPage})
        layout->addWidget(widget);
    m_progress->addTo(layout);
}

CardReadyStep::~CardReadyStep() = default;

void CardReadyStep::setRoute(const QString &text)
{
    m_route->setText(text);
    m_route->setVisible(!text.isEmpty());
}

CardDoneStep::CardDoneStep(QWidget *parent) : QWidget(parent)
{
    m_route = boldLabel(this, QStringLiteral("doneRouteLine"));
    m_result = boldLabel(this, QStringLiteral("resultLine"));
    m_detail = new QLabel(this);
    m_detail->setObjectName(QStringLiteral("detailLine"));
    m_detail->setWordWrap(true);
    m_detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = bareLayout<QVBoxLayout>(this);
    layout->addWidget(m_route);
    layout->addSpacing(m_result->fontMetrics().lineSpacing());
    layout->addWidget(m_result);
    layout->addWidget(m_detail);
    layout->addStretch(1);
}

void CardDoneStep::setRoute(const QString &text)
{
    m_route->setText(text);
    m_route->setVisible(!text.isEmpty());
}

void CardDoneStep::setResult(int textId)
{
    m_result->setText(Lang::text(textId));
    m_detail->clear();
}

void CardDoneStep::setDetail(const QString &text)
{
    m_detail->setText(text);
}
