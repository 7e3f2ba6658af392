// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/slidenumberdialog.h"

#include "core/app/language.h"
#include "core/library/librarynaming.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/widgets/numbermap.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

SlideNumberDialog::SlideNumberDialog(int number, const QString &title, const LibraryNumberTable &table, QWidget *parent)
    : NumberMapDialog(new SlideNumberMap, table, number, Txt::SlideMapTitle, Txt::SlideMapNoNumber, parent)
{
    setObjectName(QStringLiteral("SlideNumberDialog"));
    auto *label = new QLabel(this);
    setControlText(label, Txt::SlideTitleLabel);
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setMaxLength(kMaxTitleLength);
    m_title->setText(title);
    label->setBuddy(m_title);
    setTabOrder(map(), m_title); // the map, its title, then OK and Cancel

    auto *grid = new QGridLayout(this);
    grid->addWidget(map(), 0, 0, 1, 2, Qt::AlignTop);
    auto *side = new QVBoxLayout;
    side->addWidget(legend());
    side->addStretch(1);
    buttons()->setOrientation(Qt::Vertical);
    side->addWidget(buttons());
    grid->addLayout(side, 0, 2, 2, 1);
    grid->addWidget(label, 1, 0);
    grid->addWidget(m_title, 1, 1);
    grid->setColumnMinimumWidth(2, 140);
    setFixedSize(sizeHint());
}

QString SlideNumberDialog::title() const
{
    return m_title->text();
}

void SlideNumberDialog::accept()
{
    if (!numberChosenOrExplain())
        return;
    const int refusal = LibraryNaming::checkSlideTitle(title());
    if (refusal == Txt::SlideTitleForbiddenCharacter)
        warningBox(this, forbiddenCharacterMessage(refusal));
    else if (refusal)
        warningBox(this, Lang::text(refusal));
    else
        QDialog::accept();
    if (refusal)
        m_title->setFocus();
}
