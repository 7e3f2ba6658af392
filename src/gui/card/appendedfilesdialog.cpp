// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/card/appendedfilesdialog.h"

#include "core/app/language.h"
#include "gui/app/dialogtext.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

AppendedFilesDialog::AppendedFilesDialog(const QList<CardChangeRecord> &changes, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AppendedFilesDialog"));
    setControlText(this, Txt::AppendedTitle);
    m_list = new QTreeWidget(this);
    m_list->setAccessibleName(windowTitle());
    m_list->setObjectName(QStringLiteral("appendedList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({Lang::text(Txt::AppendedKindColumn), Lang::text(Txt::AppendedNumberColumn),
                             Lang::text(Txt::AppendedTitleColumn), Lang::text(Txt::AppendedChangeColumn)});
    static const Txt::Id kKinds[] = {Txt::CardKindSong, Txt::CardKindPlaylist, Txt::CardKindSlide};
    for (const CardChangeRecord &record : changes) {
        m_list->addTopLevelItem(new QTreeWidgetItem(
            {Lang::text(kKinds[qBound(0, record.kind, 2)]),
             QStringLiteral("%1").arg(record.number, 4, 10, QLatin1Char('0')), record.title,
             Lang::text(record.change == CardChangeRecord::New ? Txt::CardChangeNew : Txt::CardChangeReplaced)}));
    }

    // The classic widths, wider where a text (a kind in another language) would be cut.
    const int widths[] = {50, 50, 200, 100};
    for (int column = 0; column < 4; ++column) {
        m_list->resizeColumnToContents(column);
        m_list->setColumnWidth(column, std::max(widths[column], m_list->columnWidth(column) + 8));
    }

    QDialogButtonBox *buttons = okButtons(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(460, 300);
}
