// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/characterpalette.h"

#include "core/app/language.h"
#include "core/editor/paletteletters.h"
#include "gui/app/dialogtext.h"
#include "gui/app/windowplace.h"
#include "gui/editor/ledmatrix.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

CharacterPalette::CharacterPalette(QWidget *parent) : QDialog(parent, Qt::Tool | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("CharacterPalette"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setControlText(this, Txt::PaletteTitle);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    for (const PaletteGroup &group : paletteGroups()) {
        auto *label = new QLabel(group.name, this);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        layout->addWidget(label);
        auto *grid = new QGridLayout;
        grid->setSpacing(1);
        for (int i = 0; i < group.letters.size(); ++i) {
            const QChar letter = group.letters.at(i);
            auto *button = new QToolButton(this);
            button->setText(QString(letter));
            button->setFocusPolicy(Qt::NoFocus);
            button->setFixedSize(26, 24);
            connect(button, &QToolButton::clicked, this, [this, letter] {
                if (m_target && m_enabled)
                    m_target->typeCharacter(letter);
            });
            grid->addWidget(button, i / kColumns, i % kColumns);
            m_letters << button;
        }
        grid->setColumnStretch(kColumns, 1);
        layout->addLayout(grid);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    setControlText(ok, Txt::ButtonOk);
    ok->setFocusPolicy(Qt::NoFocus);
    ok->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QWidget::hide);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    updateButtons();
}

void CharacterPalette::setTarget(LedMatrix *matrix, bool enabled)
{
    m_target = matrix;
    m_enabled = enabled;
    updateButtons();
}

LedMatrix *CharacterPalette::target() const
{
    return m_target;
}

void CharacterPalette::updateButtons()
{
    const bool on = m_target && m_enabled;
    for (QAbstractButton *button : std::as_const(m_letters))
        button->setEnabled(on);
}

void CharacterPalette::showPalette()
{
    updateButtons();
    if (!isVisible() && !WindowPlace::restore(this, objectName(), true))
        placeBesideTarget();
    show();
    raise();
}

void CharacterPalette::placeBesideTarget()
{
    if (!m_target)
        return;
    // Right of the matrix when the screen has room there, else left of it, else below it: the
    // letters being typed stay in sight.
    const QRect matrix(m_target->mapToGlobal(QPoint(0, 0)), m_target->size());
    const QScreen *screen = m_target->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const QSize size = sizeHint().expandedTo(minimumSizeHint());
    const int gap = 8;
    QPoint place(matrix.right() + gap, matrix.top());
    if (room.isValid() && place.x() + size.width() > room.right())
        place.setX(matrix.left() - gap - size.width());
    if (room.isValid() && place.x() < room.left())
        place = QPoint(matrix.left(), matrix.bottom() + gap);
    if (room.isValid()) {
        place.setX(qBound(room.left(), place.x(), std::max(room.left(), room.right() - size.width())));
        place.setY(qBound(room.top(), place.y(), std::max(room.top(), room.bottom() - size.height())));
    }
    move(place);
}

void CharacterPalette::hideEvent(QHideEvent *event)
{
    WindowPlace::remember(this, objectName());
    QDialog::hideEvent(event);
}
