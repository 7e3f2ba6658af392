// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/caddgroup.h"

#include "core/app/language.h"
#include "core/library/librarynaming.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CAddGroup::CAddGroup(const QString &baseDir, QWidget *parent) : QDialog(parent), m_baseDir(baseDir)
{
    setObjectName(QStringLiteral("CAddGroup"));
    setControlText(this, Txt::AddGroupTitle);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(this);
    setControlText(label, Txt::GroupNameLabel);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("groupName"));
    label->setBuddy(m_edit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    setControlText(buttons->button(QDialogButtonBox::Ok), Txt::ButtonOk);
    setControlText(buttons->button(QDialogButtonBox::Cancel), Txt::ButtonCancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAddGroup::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAddGroup::reject);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

QString CAddGroup::name() const
{
    return m_edit->text();
}

void CAddGroup::accept()
{
    const int refusal = LibraryNaming::checkGroupName(name(), m_baseDir);
    if (refusal == 0) {
        QDialog::accept();
        return;
    }
    if (refusal == Txt::GroupForbiddenCharacter)
        errorBox(this, LibraryNaming::forbiddenCharacterMessage(refusal));
    else if (refusal == Txt::GroupNameLabel)
        errorBox(this, Lang::text(refusal));
    else
        infoBox(this, Lang::text(refusal));
    m_edit->setFocus();
    m_edit->selectAll();
}
