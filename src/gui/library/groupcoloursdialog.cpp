// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/groupcoloursdialog.h"

#include "core/app/language.h"
#include "gui/app/dialogtext.h"
#include "gui/library/groupeditdialog.h"
#include "gui/widgets/themecolours.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Keeps every cell in its group's colour when the row is selected; the selection shows as a frame.
class GroupColourDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem plain(option);
        const bool selected = option.state & QStyle::State_Selected;
        plain.state &= ~QStyle::State_Selected;
        painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QBrush>());
        QStyledItemDelegate::paint(painter, plain, index);
        if (selected) {
            painter->save();
            painter->setPen(QPen(option.palette.highlight().color(), 2));
            painter->drawLine(option.rect.topLeft() + QPoint(0, 1), option.rect.topRight() + QPoint(0, 1));
            painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
            painter->restore();
        }
    }
};

} // namespace

GroupColoursDialog::GroupColoursDialog(SongGroupList &groups, const QStringList &groupNames, std::function<bool()> save,
                                       QWidget *parent)
    : QDialog(parent), m_groups(groups), m_before(groups), m_groupNames(groupNames), m_save(std::move(save))
{
    setObjectName(QStringLiteral("GroupColoursDialog"));
    setControlText(this, Txt::GroupColourTitle);
    m_list = new QTreeWidget(this);
    m_list->setAccessibleName(Lang::text(Txt::GroupColourTitle));
    m_list->setObjectName(QStringLiteral("groupColourList"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(3);
    m_list->setHeaderLabels(
        {Lang::text(Txt::GroupColourName), Lang::text(Txt::GroupColourFrom), Lang::text(Txt::GroupColourTo)});
    m_list->setColumnWidth(0, 150);
    m_list->setColumnWidth(1, 50);
    m_list->setColumnWidth(2, 50);
    m_list->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    m_list->headerItem()->setTextAlignment(2, Qt::AlignCenter);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->header()->setStretchLastSection(false);
    m_list->setItemDelegate(new GroupColourDelegate(m_list));
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { editGroup(m_list->indexOfTopLevelItem(item)); });

    auto *add = m_add = new QPushButton(this);
    add->setObjectName(QStringLiteral("addButton"));
    setControlText(add, Txt::GroupColourAdd);
    connect(add, &QPushButton::clicked, this, &GroupColoursDialog::addGroup);
    auto *remove = m_delete = new QPushButton(this);
    remove->setObjectName(QStringLiteral("deleteButton"));
    setControlText(remove, Txt::GroupColourDelete);
    connect(remove, &QPushButton::clicked, this, &GroupColoursDialog::deleteSelected);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &GroupColoursDialog::updateButtons);

    QDialogButtonBox *buttons = okCancelButtons(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    auto *row = new QHBoxLayout;
    row->addWidget(add);
    row->addWidget(remove);
    row->addStretch(1);
    row->addWidget(buttons);
    layout->addLayout(row);
    resize(460, 320);
    refill(0);
}

void GroupColoursDialog::refill(int select)
{
    m_list->clear();
    for (const SongGroup &group : std::as_const(m_groups)) {
        auto *item = new QTreeWidgetItem(m_list);
        item->setText(0, group.name);
        item->setText(1, QString::number(group.firstNumber));
        item->setText(2, QString::number(group.lastNumber));
        item->setTextAlignment(1, Qt::AlignCenter);
        item->setTextAlignment(2, Qt::AlignCenter);
        for (int column = 0; column < 3; ++column) {
            item->setBackground(column, QColor::fromRgb(group.colour));
            item->setForeground(column, ThemeColours::textOn(QColor::fromRgb(group.colour)));
        }
    }
    if (select >= 0 && select < m_list->topLevelItemCount())
        m_list->setCurrentItem(m_list->topLevelItem(select));
    updateButtons();
}

void GroupColoursDialog::updateButtons()
{
    const bool full = m_groups.size() >= SongGroup::kMaxGroups;
    m_add->setEnabled(!full);
    m_add->setToolTip(full ? Lang::text(Txt::GroupLimitReached).arg(SongGroup::kMaxGroups) : QString());
    m_delete->setEnabled(m_list->currentItem() != nullptr);
}

void GroupColoursDialog::addGroup()
{
    if (m_groups.size() >= SongGroup::kMaxGroups)
        return;
    SongGroup fresh;
    fresh.firstNumber = 1;
    fresh.lastNumber = 1;
    GroupEditDialog dialog(fresh, m_groupNames, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_groups.append(dialog.group());
    refill(int(m_groups.size()) - 1);
}

void GroupColoursDialog::editGroup(int row)
{
    if (row < 0 || row >= m_groups.size())
        return;
    GroupEditDialog dialog(m_groups.at(row), m_groupNames, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_groups[row] = dialog.group();
    refill(row);
}

void GroupColoursDialog::deleteSelected()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0 || row >= m_groups.size())
        return;
    m_groups.removeAt(row);
    refill(std::min(row, int(m_groups.size()) - 1));
}

void GroupColoursDialog::accept()
{
    // The save reports its own failure; the dialog stays open so that nothing is lost unseen.
    if (m_save && !m_save())
        return;
    QDialog::accept();
}

void GroupColoursDialog::reject()
{
    m_groups = m_before;
    QDialog::reject();
}
