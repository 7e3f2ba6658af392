// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/namedialog.h"

#include "core/app/language.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

NameDialog::NameDialog(int titleId, int labelId, const QString &text, QWidget *parent) : QDialog(parent)
{
    setControlText(this, titleId);
    auto *label = new QLabel(this);
    setControlText(label, labelId);
    m_edit = new QLineEdit(text, this);
    m_edit->setObjectName(QStringLiteral("name"));
    label->setBuddy(m_edit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(okCancelButtons(this));
    setMinimumWidth(320);
}

QString NameDialog::name() const
{
    return m_edit->text();
}

bool NameDialog::acceptOrExplain(int refusal, int forbiddenId)
{
    if (refusal == 0) {
        QDialog::accept();
        return true;
    }
    if (refusal == forbiddenId)
        warningBox(this, forbiddenCharacterMessage(refusal));
    else
        warningBox(this, Lang::text(refusal));
    return false;
}
