// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/newgroupdialog.h"

#include "core/app/language.h"
#include "core/library/librarynaming.h"

#include <QLineEdit>

NewGroupDialog::NewGroupDialog(const QString &baseDir, QWidget *parent)
    : NameDialog(Txt::AddGroupTitle, Txt::GroupNameLabel, QString(), parent), m_baseDir(baseDir)
{
    setObjectName(QStringLiteral("NewGroupDialog"));
}

void NewGroupDialog::accept()
{
    const int refusal = LibraryNaming::checkGroupName(name(), m_baseDir);
    if (acceptOrExplain(refusal, Txt::GroupForbiddenCharacter))
        return;
    edit()->setFocus();
    edit()->selectAll();
}
