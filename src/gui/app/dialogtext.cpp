// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/dialogtext.h"

#include "core/app/language.h"
#include "core/library/librarynaming.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

void setControlText(QWidget *widget, int textId)
{
    if (!widget)
        return;
    const QString text = Lang::text(textId);
    if (widget->isWindow())
        widget->setWindowTitle(text);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        button->setText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(widget))
        group->setTitle(text);
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        edit->setText(text);
}

QDialogButtonBox *okButtons(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    setControlText(buttons->button(QDialogButtonBox::Ok), Txt::ButtonOk);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    return buttons;
}

QDialogButtonBox *okCancelButtons(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    setControlText(buttons->button(QDialogButtonBox::Ok), Txt::ButtonOk);
    setControlText(buttons->button(QDialogButtonBox::Cancel), Txt::ButtonCancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QString forbiddenCharacterMessage(int textId)
{
    return Lang::text(textId) + u'\t' + LibraryNaming::forbiddenCharacterList();
}
