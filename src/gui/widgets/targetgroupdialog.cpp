// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/targetgroupdialog.h"

#include "core/app/language.h"
#include "core/library/libraryfiles.h"
#include "core/library/librarynaming.h"
#include "core/library/songimport.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/app/windowplace.h"
#include "gui/widgets/newgroupdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
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
    grid->addWidget(m_list, 1, 0);
    grid->addWidget(m_new, 1, 1);
    grid->setRowMinimumHeight(2, 8);
    grid->addWidget(okCancelButtons(this), 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
}

void TargetGroupDialog::offerLibraries(const QList<LibrarySource> &libraries, int chosen)
{
    if (libraries.isEmpty())
        return;
    m_offered = libraries;
    auto *label = new QLabel(this);
    setControlText(label, Txt::ImportTargetLibrary);
    m_libraries = new QComboBox(this);
    m_libraries->setObjectName(QStringLiteral("libraryList"));
    for (const LibrarySource &library : libraries) {
        m_libraries->addItem(LibrarySources::itemText(library), library.rootPath);
        m_libraries->setItemData(m_libraries->count() - 1, QDir::toNativeSeparators(library.rootPath), Qt::ToolTipRole);
    }
    label->setBuddy(m_libraries);
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_libraries, 1);
    static_cast<QGridLayout *>(layout())->addLayout(row, 0, 0, 1, 2);
    const int index = qBound(0, chosen, int(libraries.size()) - 1);
    m_libraries->setCurrentIndex(index);
    if (m_libraries->itemData(index).toString() != m_root || m_list->currentIndex() < 0)
        showGroupsOf(index);
    connect(m_libraries, &QComboBox::currentIndexChanged, this, &TargetGroupDialog::showGroupsOf);
}

void TargetGroupDialog::showGroupsOf(int library)
{
    if (library < 0 || library >= m_offered.size())
        return;
    const QString before = group();
    m_root = m_offered.at(library).rootPath;
    m_list->clear();
    m_list->addItems(SongImport::groupNames(m_root));
    // The same group when this library has it, else its first.
    const int same = before.isEmpty() ? -1 : m_list->findText(before, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    m_list->setCurrentIndex(same >= 0 ? same : (m_list->count() > 0 ? 0 : -1));
    m_list->setEnabled(m_list->count() > 0);
}

QString TargetGroupDialog::group() const
{
    return m_list->currentIndex() >= 0 ? m_list->currentText() : QString();
}

void TargetGroupDialog::accept()
{
    if (group().isEmpty()) {
        // A library without groups: say which, and what makes one.
        if (m_libraries && m_list->count() == 0)
            infoBox(this, Lang::text(Txt::ImportTargetNoGroup).arg(m_libraries->currentText()));
        else
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
