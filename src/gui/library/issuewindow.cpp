// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/issuewindow.h"

#include "core/app/language.h"
#include "core/library/namerepair.h"
#include "core/model/charsetmode.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/widgets/treeicons.h"
#include "gui/widgets/themecolours.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

const QColor IssueWindow::kYellow(255, 255, 128);
const QColor IssueWindow::kGreen(128, 255, 128);

namespace {

int imageOf(IssueFileType fileType)
{
    switch (fileType) {
    case IssueFileType::Slide:
        return TreeIcons::Slide;
    case IssueFileType::Playlist:
        return TreeIcons::Playlist;
    case IssueFileType::Song:
        break;
    }
    return TreeIcons::Song;
}

} // namespace

IssueWindow::IssueWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("IssueWindow"));
    setControlText(this, Txt::IssueWindowTitle);
    m_list = new QTableWidget(0, 3, this);
    m_list->setTabKeyNavigation(false); // Tab leaves the list; the arrows move in it
    m_list->setObjectName(QStringLiteral("issueList"));
    m_list->setHorizontalHeaderLabels(
        {Lang::text(Txt::IssueColumnNumber), Lang::text(Txt::IssueColumnText), Lang::text(Txt::IssueColumnFile)});
    m_list->setColumnWidth(0, 60);
    m_list->setColumnWidth(1, 150);
    m_list->setColumnWidth(2, 200);
    // The issue text takes the free width; its whole text is the cell's tooltip.
    m_list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_list->horizontalHeader()->setStretchLastSection(false);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(20);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        if (row >= 0 && row < m_rows.size())
            emit fileActivated(m_rows.at(row).fileType, m_rows.at(row).group, m_rows.at(row).file);
    });
    m_emptyText = new QLabel(this);
    m_emptyText->setObjectName(QStringLiteral("emptyText"));
    m_emptyText->setAlignment(Qt::AlignCenter);
    setControlText(m_emptyText, Txt::IssueListEmpty);

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

    // A name that is not UTF-8 is offered a new name read in the card's old code pages.
    m_rename = new QPushButton(this);
    m_rename->setObjectName(QStringLiteral("renameButton"));
    setControlText(m_rename, Txt::IssueRenameButton);
    connect(m_rename, &QPushButton::clicked, this,
            [this] { offerRename(m_list->currentRow(), m_rename->mapToGlobal(QPoint(0, m_rename->height()))); });
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        const QModelIndex index = m_list->indexAt(pos);
        if (index.isValid())
            offerRename(index.row(), m_list->viewport()->mapToGlobal(pos));
    });
    connect(m_list, &QTableWidget::currentCellChanged, this, &IssueWindow::updateRenameButton);

    auto *close = new QPushButton(this);
    close->setObjectName(QStringLiteral("closeButton"));
    setControlText(close, Txt::IssueWindowClose);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_rename);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_emptyText, 1);
    layout->addWidget(warning);
    layout->addLayout(buttons);
    resize(460, 360);
    fill(IssueList());
}

void IssueWindow::fill(const IssueList &issues)
{
    m_rows = issueRows(issues);
    const QList<IssueRow> &rows = m_rows;
    m_list->clearContents();
    m_list->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const IssueRow &row = rows.at(r);
        const QColor band = ThemeColours::background(row.band == 0 ? kYellow : kGreen, m_list->palette());
        const QString texts[3] = {QString::number(row.number), Lang::text(row.textId), row.location};
        for (int column = 0; column < 3; ++column) {
            auto *item = new QTableWidgetItem(texts[column]);
            item->setBackground(band);
            item->setForeground(ThemeColours::textOn(band));
            item->setToolTip(texts[column]);
            m_list->setItem(r, column, item);
        }
        m_list->item(r, 0)->setTextAlignment(Qt::AlignCenter);
        m_list->item(r, 0)->setIcon(TreeIcons::icon(imageOf(row.fileType)));
    }
    m_list->setVisible(!rows.isEmpty());
    m_emptyText->setVisible(rows.isEmpty());
    updateRenameButton();
}

void IssueWindow::updateRenameButton()
{
    const int row = m_list->currentRow();
    m_rename->setEnabled(row >= 0 && row < m_rows.size() && !m_rows.at(row).rawPath.isEmpty());
}

void IssueWindow::offerRename(int row, const QPoint &globalPos)
{
    if (row < 0 || row >= m_rows.size() || m_rows.at(row).rawPath.isEmpty())
        return;
    const QByteArray rawPath = m_rows.at(row).rawPath;
    const QString shown = m_rows.at(row).location;
    const QByteArray rawName = rawPath.mid(rawPath.lastIndexOf('/') + 1);
    const QList<NameRepair::Decoding> decodings = NameRepair::decodings(rawName, currentCharsetMode());
    if (decodings.isEmpty())
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("renameMenu"));
    for (const NameRepair::Decoding &decoding : decodings)
        menu.addAction(Lang::text(Txt::IssueRenameAs).arg(decoding.name, decoding.encoding));
    // Acted on after the menu has closed: the rename refills this window.
    const qsizetype chosen = menu.actions().indexOf(menu.exec(globalPos));
    if (chosen < 0)
        return;
    const QString name = decodings.at(chosen).name;
    if (questionBox(this, Lang::text(Txt::IssueRenameQuestion).arg(shown, name), {}, QMessageBox::No)
        == QMessageBox::Yes)
        emit renameRequested(rawPath, name);
}

void IssueWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void IssueWindow::showIssues(const IssueList &issues)
{
    fill(issues);
    if (!m_placed && parentWidget()) {
        // The first time beside the library tree, over the page area, rather than wherever the
        // window manager puts a new window.
        const QRect owner = parentWidget()->window()->geometry();
        move(owner.center() - QPoint(width() / 2, height() / 2));
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}
