// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/numbermapdialog.h"

#include "core/app/language.h"
#include "core/library/librarynumbertable.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/widgets/colourlegend.h"
#include "gui/widgets/numbermap.h"
#include "gui/widgets/themecolours.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

NumberMapDialog::NumberMapDialog(NumberMap *map, const LibraryNumberTable &table, int number, int titleId,
                                 int noNumberId, QWidget *parent)
    : QDialog(parent), m_map(map), m_noNumberId(noNumberId)
{
    setControlText(this, titleId);
    m_map->setParent(this);
    m_map->setObjectName(QStringLiteral("map"));
    m_map->setTable(&table);
    m_map->setChosenNumber(number);
    connect(m_map, &NumberMap::takenNumberClicked, this,
            [this] { infoBox(this, Lang::text(Txt::NumberMapNumberTaken)); });
    connect(m_map, &NumberMap::numberDoubleClicked, this, &QDialog::accept);
    m_legend = makeLegend();
    m_buttons = okCancelButtons(this);
}

int NumberMapDialog::number() const
{
    return m_map->chosenNumber();
}

bool NumberMapDialog::numberChosenOrExplain()
{
    if (m_map->chosenNumber())
        return true;
    infoBox(this, Lang::text(m_noNumberId));
    return false;
}

QWidget *NumberMapDialog::makeLegend()
{
    constexpr int kSide = 16;
    const struct
    {
        QColor colour;
        int textId;
    } rows[] = {{NumberMap::kTakenColour, Txt::NumberMapTaken},
                {NumberMap::kDuplicateColour, Txt::NumberMapDuplicate},
                {NumberMap::kChosenColour, Txt::NumberMapChosen}};

    auto *box = new QWidget(this);
    auto *squares = new ColourLegend(box);
    squares->setFixedSize(kSide, int(std::size(rows)) * (kSide + ColourLegend::kGap) - ColourLegend::kGap);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(ColourLegend::kGap);
    grid->addWidget(squares, 0, 0, int(std::size(rows)), 1, Qt::AlignTop);
    for (int i = 0; i < int(std::size(rows)); ++i) {
        squares->addColour(ThemeColours::background(rows[i].colour, palette()));
        auto *label = new QLabel(box);
        setControlText(label, rows[i].textId);
        label->setFixedHeight(kSide);
        grid->addWidget(label, i, 1);
    }
    grid->setRowStretch(int(std::size(rows)), 1);
    return box;
}
