// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/caddgroup.h"

#include "core/app/language.h"
#include "core/library/librarynaming.h"

#include <QLineEdit>

CAddGroup::CAddGroup(const QString &baseDir, QWidget *parent)
    : CNameDialog(Txt::AddGroupTitle, Txt::GroupNameLabel, QString(), parent), m_baseDir(baseDir)
{
    setObjectName(QStringLiteral("CAddGroup"));
}

void CAddGroup::accept()
{
    const int refusal = LibraryNaming::checkGroupName(name(), m_baseDir);
    if (acceptOrExplain(refusal, Txt::GroupForbiddenCharacter, Txt::GroupNameLabel))
        return;
    edit()->setFocus();
    edit()->selectAll();
}
