// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/lyricsearchfield.h"

#include "core/app/language.h"
#include "core/search/lyricindexer.h"
#include "core/util/textids.h"
#include "gui/library/lyrichitmodel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QStackedWidget>
#include <QVBoxLayout>

LyricSearchField::LyricSearchField(const LyricIndexer *indexer, QStackedWidget *area, QWidget *tree, QWidget *parent)
    : QLineEdit(parent), m_indexer(indexer), m_area(area), m_tree(tree)
{
    setObjectName(QStringLiteral("lyricSearchField"));
    setPlaceholderText(Lang::text(Txt::SearchFieldPlaceholder));
    setAccessibleName(Lang::text(Txt::SearchFieldPlaceholder));
    setToolTip(Lang::text(Txt::SearchFieldTooltip));
    setClearButtonEnabled(true);

    m_page = new QWidget(area);
    m_page->setObjectName(QStringLiteral("lyricHitPage"));
    m_model = new LyricHitModel(this);
    m_list = new QListView(m_page);
    m_list->setObjectName(QStringLiteral("lyricHitList"));
    m_list->setModel(m_model);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setUniformItemSizes(true);
    m_list->setAlternatingRowColors(true);
    m_list->setSpacing(2);
    m_list->setWordWrap(false);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setTextElideMode(Qt::ElideRight);
    m_status = new QLabel(m_page);
    m_status->setObjectName(QStringLiteral("lyricSearchStatus"));
    auto *layout = new QVBoxLayout(m_page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_status);
    area->addWidget(m_page);

    connect(this, &QLineEdit::textChanged, this, &LyricSearchField::updateHits);
    connect(m_indexer, &LyricIndexer::changed, this, [this] {
        if (!text().isEmpty())
            updateHits();
    });
    m_list->installEventFilter(this);
    connect(m_list, &QListView::activated, this, [this](const QModelIndex &index) { activate(index.row()); });
}

void LyricSearchField::updateHits()
{
    if (text().isEmpty()) {
        m_model->setHits({});
        if (m_area->currentWidget() == m_page)
            m_area->setCurrentWidget(m_tree);
        return;
    }
    // The tree's place only: the first-start text of a panel without a card stays.
    if (m_area->currentWidget() == m_tree)
        m_area->setCurrentWidget(m_page);
    const LyricSearchResult result = m_indexer->index().search(text(), kShownHits);
    m_model->setHits(result.hits);
    if (!result.hits.isEmpty())
        m_list->setCurrentIndex(m_model->index(0));
    if (m_indexer->isBuilding() && result.hits.isEmpty())
        m_status->setText(Lang::text(Txt::SearchIndexBuilding));
    else if (result.total == 0)
        m_status->setText(Lang::text(Txt::SearchNothingFound));
    else
        m_status->setText(Lang::text(Txt::SearchHitCount).arg(result.hits.size()).arg(result.total));
}

void LyricSearchField::leave()
{
    clear();
    updateHits();
}

void LyricSearchField::moveCurrent(int step)
{
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    const int row = std::clamp(m_list->currentIndex().row() + step, 0, rows - 1);
    m_list->setCurrentIndex(m_model->index(row));
}

void LyricSearchField::activate(int row)
{
    if (const LyricHit *hit = m_model->hit(row))
        emit hitActivated(LyricHit(*hit)); // a copy: the slot may search again and reset the model
}

void LyricSearchField::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Down:
        moveCurrent(1);
        return;
    case Qt::Key_Up:
        moveCurrent(-1);
        return;
    case Qt::Key_PageDown:
        moveCurrent(10);
        return;
    case Qt::Key_PageUp:
        moveCurrent(-10);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        activate(m_list->currentIndex().row());
        return;
    case Qt::Key_Escape:
        leave();
        m_tree->setFocus();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

bool LyricSearchField::eventFilter(QObject *watched, QEvent *event)
{
    // Escape in the list, too, gives the tree back.
    if (watched == m_list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        leave();
        m_tree->setFocus();
        return true;
    }
    return QLineEdit::eventFilter(watched, event);
}
