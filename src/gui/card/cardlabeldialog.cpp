// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/card/cardlabeldialog.h"

#include "core/app/language.h"
#include "core/card/cardlabel.h"
#include "gui/app/messageboxes.h"

#include <QLineEdit>

CardLabelDialog::CardLabelDialog(const QString &currentLabel, QWidget *parent)
    : NameDialog(Txt::CardLabelTitle, Txt::CardLabelPrompt, CardLabel::fromTyped(currentLabel).value_or(QString()),
                 parent)
{
    setObjectName(QStringLiteral("CardLabelDialog"));
}

void CardLabelDialog::accept()
{
    const std::optional<QString> label = CardLabel::fromTyped(name());
    if (!label) {
        errorBox(this, Lang::text(Txt::CardLabelInvalid));
        edit()->setFocus();
        return;
    }
    m_label = *label;
    QDialog::accept();
}
