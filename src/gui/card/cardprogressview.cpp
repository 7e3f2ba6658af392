// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/card/cardprogressview.h"

#include "core/app/cardmessages.h"
#include "core/app/datasize.h"
#include "core/app/language.h"
#include "gui/card/cardwizardparts.h"

#include <QBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTreeWidget>

using CardWizardParts::boldLabel;
using CardWizardParts::retainPlace;

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
