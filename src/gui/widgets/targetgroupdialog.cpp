// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/targetgroupdialog.h"

#include "core/app/language.h"
#include "core/library/libraryfiles.h"
#include "core/library/librarynaming.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/app/windowplace.h"
#include "gui/widgets/newgroupdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>

namespace {
const QString kLastGroupKey = QStringLiteral("TargetGroup");
} // namespace

TargetGroupDialog::TargetGroupDialog(const QStringList &groups, const QString &currentGroup, const QString &root,
                                     QWidget *parent)
    : QDialog(parent), m_root(root)
{
    setObjectName(QStringLiteral("TargetGroupDialog"));
    setControlText(this, Txt::TargetGroupTitle);
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("groupList"));
    m_list->setAccessibleName(windowTitle()); // the list has no label; the title asks for the group
    m_list->addItems(groups);
    m_list->setMinimumWidth(220);
    // The caller's group, else the group chosen last time, else the only one; with none of them
    // nothing is preselected and the user chooses.
    const auto find = [this](const QString &name) {
        return name.isEmpty() ? -1 : m_list->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    };
    int preselected = find(currentGroup);
    if (preselected < 0)
        preselected = find(WindowPlace::lastChoice(kLastGroupKey));
    if (preselected < 0 && m_list->count() == 1)
        preselected = 0;
    m_list->setCurrentIndex(preselected);
    m_list->setEnabled(m_list->count() > 0);
    m_new = new QPushButton(this);
    m_new->setObjectName(QStringLiteral("newGroup"));
    m_new->setAutoDefault(false);
    setControlText(m_new, Txt::TargetGroupNew);
    connect(m_new, &QPushButton::clicked, this, &TargetGroupDialog::createGroup);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_list, 0, 0);
    grid->addWidget(m_new, 0, 1);
    grid->setRowMinimumHeight(1, 8);
    grid->addWidget(okCancelButtons(this), 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
}

QString TargetGroupDialog::group() const
{
    return m_list->currentIndex() >= 0 ? m_list->currentText() : QString();
}

void TargetGroupDialog::accept()
{
    if (group().isEmpty()) {
        infoBox(this, Lang::text(Txt::TargetGroupTitle));
        return;
    }
    WindowPlace::rememberChoice(kLastGroupKey, group());
    QDialog::accept();
}

void TargetGroupDialog::createGroup()
{
    NewGroupDialog dialog(LibraryNaming::songDirectory(m_root), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.name();
    if (!LibraryFiles::createGroup(m_root, name)) {
        errorBox(this, Lang::text(Txt::GroupCreateFailed));
        return;
    }
    m_groupCreated = true;
    m_list->addItem(name);
    m_list->setCurrentIndex(m_list->count() - 1);
    m_list->setEnabled(true);
}
