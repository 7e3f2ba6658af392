// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/cduplicatedlg.h"

#include "core/app/language.h"
#include "core/library/issuerows.h"
#include "gui/app/dialogtext.h"
#include "gui/library/treeicons.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

const QColor CDuplicateDlg::kYellow(255, 255, 128);
const QColor CDuplicateDlg::kGreen(128, 255, 128);

namespace {

int imageOf(int fileType)
{
    if (fileType & IssueFileType::Slide)
        return TreeIcons::Slide;
    if (fileType & IssueFileType::Playlist)
        return TreeIcons::Playlist;
    return TreeIcons::Song;
}

} // namespace

CDuplicateDlg::CDuplicateDlg(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("CDuplicateDlg"));
    setControlText(this, Txt::IssueWindowTitle);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("issueList"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({Lang::text(Txt::IssueColumnNumber), Lang::text(Txt::IssueColumnText),
                             Lang::text(Txt::IssueColumnFile)});
    m_list->setColumnWidth(0, 60);
    m_list->setColumnWidth(1, 150);
    m_list->setColumnWidth(2, 200);
    m_list->headerItem()->setTextAlignment(0, Qt::AlignCenter);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid #c0c0c0;"
                                         " border-bottom: 1px solid #c0c0c0; }"));

    // Shown by the card tools when issues block writing; hidden here.
    auto *warning = new QWidget(this);
    warning->setObjectName(QStringLiteral("writeWarning"));
    auto *warningLayout = new QHBoxLayout(warning);
    auto *icon = new QLabel(warning);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(24, 24));
    auto *text = new QLabel(warning);
    setControlText(text, Txt::IssueWindowWarning);
    warningLayout->addWidget(icon);
    warningLayout->addWidget(text, 1);
    warning->hide();

    auto *close = new QPushButton(this);
    close->setObjectName(QStringLiteral("closeButton"));
    setControlText(close, Txt::IssueWindowClose);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(warning);
    layout->addLayout(buttons);
    resize(460, 360);
}

void CDuplicateDlg::fill(const IssueList &issues)
{
    m_list->clear();
    for (const IssueRow &row : issueRows(issues)) {
        auto *item = new QTreeWidgetItem(m_list);
        item->setText(0, QString::number(row.number));
        item->setTextAlignment(0, Qt::AlignCenter);
        item->setIcon(0, TreeIcons::icon(imageOf(row.fileType)));
        item->setText(1, Lang::text(row.textId));
        item->setText(2, row.name);
        const QColor band = row.band == 0 ? kYellow : kGreen;
        for (int column = 0; column < 3; ++column) {
            item->setBackground(column, band);
            item->setForeground(column, Qt::black);
        }
    }
}

void CDuplicateDlg::showIssues(const IssueList &issues)
{
    fill(issues);
    show();
    raise();
    activateWindow();
}
