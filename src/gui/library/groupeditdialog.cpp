// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/groupeditdialog.h"

#include "core/app/language.h"
#include "core/util/leadingint.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The range a group's numbers can take: the song numbers, which the settings store keeps whole.
constexpr int kFirstSong = 1;
constexpr int kLastSong = 4999;

QLineEdit *digitsEdit(QWidget *parent, int value)
{
    auto *edit = new QLineEdit(QString::number(std::clamp(value, kFirstSong, kLastSong)), parent);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), edit));
    edit->setMaxLength(4);
    edit->setMaximumWidth(80);
    return edit;
}

int songNumberOf(const QLineEdit *edit)
{
    return std::clamp(leadingInt(edit->text()), kFirstSong, kLastSong);
}

} // namespace

GroupEditDialog::GroupEditDialog(const SongGroup &group, const QStringList &groupNames, QWidget *parent)
    : QDialog(parent), m_group(group)
{
    setObjectName(QStringLiteral("GroupEditDialog"));
    setControlText(this, Txt::ColourGroupTitle);

    auto *nameBox = new QGroupBox(this);
    setControlText(nameBox, Txt::ColourGroupNameBox);
    m_fromList = new QRadioButton(nameBox);
    m_manual = new QRadioButton(nameBox);
    setControlText(m_fromList, Txt::ColourGroupFromList);
    setControlText(m_manual, Txt::ColourGroupManual);
    m_list = new QComboBox(nameBox);
    m_list->setObjectName(QStringLiteral("groupList"));
    m_list->addItems(groupNames);
    m_edit = new QLineEdit(nameBox);
    m_edit->setObjectName(QStringLiteral("groupName"));
    auto *nameGrid = new QGridLayout(nameBox);
    nameGrid->addWidget(m_fromList, 0, 0);
    nameGrid->addWidget(m_list, 0, 1);
    nameGrid->addWidget(m_manual, 1, 0);
    nameGrid->addWidget(m_edit, 1, 1);

    auto *colourLabel = new QLabel(this);
    setControlText(colourLabel, Txt::ColourGroupColour);
    m_colourButton = new QPushButton(this);
    m_colourButton->setObjectName(QStringLiteral("colourButton"));
    m_colourButton->setAccessibleName(Lang::text(Txt::ColourGroupColour));
    m_colourButton->setFixedSize(60, 24);
    connect(m_colourButton, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(QColor::fromRgb(m_group.colour), this);
        if (chosen.isValid())
            setColour(chosen.rgb() & 0xFFFFFF);
    });

    auto *rangeBox = new QGroupBox(this);
    setControlText(rangeBox, Txt::ColourGroupRange);
    auto *fromLabel = new QLabel(rangeBox);
    auto *toLabel = new QLabel(rangeBox);
    setControlText(fromLabel, Txt::ColourGroupFrom);
    setControlText(toLabel, Txt::ColourGroupTo);
    m_from = digitsEdit(rangeBox, group.firstNumber);
    m_from->setAccessibleName(Lang::text(Txt::ColourGroupFrom));
    m_from->setObjectName(QStringLiteral("fromEdit"));
    m_to = digitsEdit(rangeBox, group.lastNumber);
    m_to->setAccessibleName(Lang::text(Txt::ColourGroupTo));
    m_to->setObjectName(QStringLiteral("toEdit"));
    auto *rangeLayout = new QHBoxLayout(rangeBox);
    rangeLayout->addWidget(fromLabel);
    rangeLayout->addWidget(m_from);
    rangeLayout->addSpacing(12);
    rangeLayout->addWidget(toLabel);
    rangeLayout->addWidget(m_to);
    rangeLayout->addStretch(1);

    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(m_colourButton);
    colourRow->addStretch(1);

    QDialogButtonBox *buttons = okCancelButtons(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(nameBox);
    layout->addLayout(colourRow);
    layout->addWidget(rangeBox);
    layout->addWidget(buttons);

    const int listed = groupNames.indexOf(group.name);
    if (!group.name.isEmpty() && listed >= 0) {
        m_list->setCurrentIndex(listed);
        m_fromList->setChecked(true);
    } else {
        m_manual->setChecked(true);
        m_edit->setText(group.name);
        m_list->setCurrentIndex(groupNames.isEmpty() ? -1 : 0);
    }
    connect(m_fromList, &QRadioButton::toggled, this, &GroupEditDialog::applyMode);
    applyMode();
    setColour(group.colour);
    setMinimumWidth(340);
}

void GroupEditDialog::applyMode()
{
    m_list->setEnabled(m_fromList->isChecked());
    m_edit->setEnabled(m_manual->isChecked());
}

void GroupEditDialog::setColour(quint32 rgb)
{
    m_group.colour = rgb & 0xFFFFFF;
    m_colourButton->setStyleSheet(
        QStringLiteral("background-color: %1; border: 1px solid black;").arg(QColor::fromRgb(m_group.colour).name()));
}

void GroupEditDialog::accept()
{
    const QString name = m_fromList->isChecked() ? m_list->currentText() : m_edit->text();
    if (name.isEmpty()) {
        infoBox(this, Lang::text(Txt::ColourGroupNoName));
        return;
    }
    m_group.name = name;
    m_group.firstNumber = songNumberOf(m_from);
    m_group.lastNumber = songNumberOf(m_to);
    QDialog::accept();
}
