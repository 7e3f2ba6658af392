// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/songnumberdialog.h"

#include "core/util/textids.h"
#include "gui/widgets/numbermap.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

// The last number of each visible row, each beside its row of the map.
class RowLabels : public QWidget
{
public:
    explicit RowLabels(QWidget *parent) : QWidget(parent)
    {
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(NumberMap::kCell);
        font.setWeight(QFont::Thin);
        setFont(font);
        setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    }

    void setLabels(const QStringList &labels)
    {
        m_labels = labels;
        update();
    }
    const QStringList &labels() const { return m_labels; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        for (int row = 0; row < m_labels.size(); ++row) {
            const QRect r(0, row * NumberMap::kCell, width() - 2, NumberMap::kCell);
            p.drawText(r, Qt::AlignRight | Qt::AlignVCenter, m_labels[row]);
        }
    }

private:
    QStringList m_labels;
};

SongNumberDialog::SongNumberDialog(int number, const LibraryNumberTable &table, QWidget *parent)
    : NumberMapDialog(new SongNumberMap, table, number, Txt::SongMapTitle, Txt::SongMapNoNumber, parent)
{
    setObjectName(QStringLiteral("SongNumberDialog"));
    m_songMap = static_cast<SongNumberMap *>(map());
    m_rowLabels = new RowLabels(this);
    m_rowLabels->setFixedHeight(m_songMap->sizeHint().height());

    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setRange(0, m_songMap->totalRows() - m_songMap->rows());
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(m_songMap->rows());
    m_scrollBar->setFixedHeight(m_songMap->sizeHint().height());
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &SongNumberDialog::showFromRow);
    m_songMap->installEventFilter(this);
    connect(m_songMap, &NumberMap::firstRowChanged, m_scrollBar, &QScrollBar::setValue);

    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(2);
    grid->addWidget(m_rowLabels, 0, 0, Qt::AlignTop);
    grid->addWidget(m_songMap, 0, 1, Qt::AlignTop);
    grid->addWidget(m_scrollBar, 0, 2, Qt::AlignTop);
    auto *side = new QVBoxLayout;
    side->addWidget(legend());
    side->addStretch(1);
    buttons()->setOrientation(Qt::Vertical);
    side->addWidget(buttons());
    grid->addLayout(side, 0, 3);
    grid->setColumnMinimumWidth(3, 140);
    grid->setColumnStretch(3, 1);
    setFixedSize(sizeHint());

    // Scroll so that the preset number shows; the first 25 rows need no scrolling.
    const int row = number > 0 ? (number - 1) / m_songMap->columns() : 0;
    const int firstRow = row < m_songMap->rows() ? 0 : row - m_songMap->rows() / 2;
    showFromRow(firstRow);
    m_scrollBar->setValue(m_songMap->firstRow());
}

QStringList SongNumberDialog::rowLabels() const
{
    return m_rowLabels->labels();
}

void SongNumberDialog::showFromRow(int row)
{
    m_songMap->setFirstRow(row);
    QStringList labels;
    for (int r = 0; r < m_songMap->rows(); ++r)
        labels << QString::number((m_songMap->firstRow() + r + 1) * m_songMap->columns());
    m_rowLabels->setLabels(labels);
}

// The wheel over the map scrolls it as over the scroll bar.
bool SongNumberDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_songMap && event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(m_scrollBar, event);
        return true;
    }
    return NumberMapDialog::eventFilter(watched, event);
}

void SongNumberDialog::accept()
{
    if (numberChosenOrExplain())
        QDialog::accept();
}
