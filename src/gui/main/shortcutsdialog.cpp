// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/shortcutsdialog.h"

#include "core/app/language.h"
#include "gui/app/commandregistry.h"
#include "gui/app/dialogtext.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A menu text as a plain name: no accelerator mark, no trailing dots.
QString plain(QString text)
{
    text.remove(u'&');
    while (text.endsWith(u'.') || text.endsWith(u'\u2026'))
        text.chop(1);
    return text;
}

} // namespace

ShortcutsDialog::ShortcutsDialog(const CommandRegistry &commands, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ShortcutsDialog"));
    setWindowTitle(plain(Lang::text(Txt::MenuShortcuts)));
    m_list = new QTreeWidget(this);
    m_list->setAccessibleName(windowTitle());
    m_list->setObjectName(QStringLiteral("shortcutList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({Lang::text(Txt::ShortcutKeyColumn), Lang::text(Txt::ShortcutCommandColumn)});
    for (const QAction *action : commands.actions()) {
        if (!action->shortcuts().isEmpty())
            addRow(action->shortcuts(), plain(commands.name(action)));
    }
    const auto inTree = [](int textId) { return Lang::text(Txt::ShortcutInTree).arg(plain(Lang::text(textId))); };
    const auto inText = [](int textId) { return Lang::text(Txt::ShortcutInText).arg(plain(Lang::text(textId))); };
    addRow({QKeySequence(Qt::Key_Enter)}, inTree(Txt::ShortcutOpenItem));
    addRow({QKeySequence(Qt::Key_Insert)}, inTree(Txt::MenuAddToPlaylist));
    addRow({QKeySequence(Qt::Key_F2)}, inTree(Txt::MenuRename));
    addRow({QKeySequence(Qt::Key_Delete)}, inTree(Txt::MenuDelete));
    addRow({QKeySequence(Qt::CTRL | Qt::Key_Enter)}, inText(Txt::AddScreenTip));
    addRow({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Enter)}, inText(Txt::AddStanzaTip));
    addRow({QKeySequence(Qt::CTRL | Qt::Key_R)}, inText(Txt::ShortcutRefrain));
    addRow({QKeySequence(Qt::Key_F2)}, inText(Txt::GridTip));
    addRow({QKeySequence(Qt::Key_F3)}, inText(Txt::PaletteTip));
    addRow({QKeySequence(Qt::Key_F5)}, inText(Txt::MenuAlignCentre));
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    setControlText(buttons->button(QDialogButtonBox::Close), Txt::ButtonOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(560, 460);
}

void ShortcutsDialog::addRow(const QList<QKeySequence> &keys, const QString &what)
{
    QStringList shown;
    QString name = what;
    for (const QKeySequence &key : keys) {
        const QString text = key.toString(QKeySequence::NativeText);
        shown << text;
        // A tooltip that names its own key ("Dot grid (F2)") says it once, in the key column.
        name.remove(u" (" + text + u')');
    }
    auto *row = new QTreeWidgetItem(m_list);
    row->setText(0, shown.join(u", "));
    row->setText(1, name.trimmed());
}
