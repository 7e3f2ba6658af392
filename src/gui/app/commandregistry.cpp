// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/commandregistry.h"

#include "core/app/language.h"

#include <QAction>

CommandRegistry::CommandRegistry(QObject *parent) : QObject(parent) {}

QAction *CommandRegistry::add(const Entry &entry)
{
    auto *action = new QAction(this);
    action->setObjectName(QStringLiteral("command%1").arg(int(entry.command)));
    action->setEnabled(false);
    if (!entry.shortcuts.isEmpty())
        action->setShortcuts(entry.shortcuts);
    if (!entry.icon.isNull())
        action->setIcon(entry.icon);
    m_actions.insert(entry.command, action);
    m_order.append(action);
    if (entry.opensDialog)
        m_dialogs.insert(entry.command);
    m_texts.insert(entry.command, entry.textId);
    return action;
}

QString CommandRegistry::name(const QAction *action) const
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (it.value() == action)
            return Lang::text(m_texts.value(it.key()));
    }
    return action ? action->text() : QString();
}

void CommandRegistry::setEnabledRule(Command command, std::function<bool()> enabled)
{
    if (enabled)
        m_rules.insert(command, std::move(enabled));
    else
        m_rules.remove(command);
    if (QAction *a = action(command))
        a->setEnabled(!enabled || m_rules.value(command)());
}

void CommandRegistry::updateStates()
{
    for (auto it = m_rules.cbegin(); it != m_rules.cend(); ++it) {
        if (QAction *a = action(it.key()))
            a->setEnabled(it.value()());
    }
}

void CommandRegistry::applyTexts()
{
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
        QAction *a = m_actions.value(it.key());
        QString text = Lang::text(it.value());
        if (m_dialogs.contains(it.key()) && !text.endsWith(u"...") && !text.endsWith(u'\u2026'))
            text += u"...";
        a->setText(text);
        a->setToolTip(QString(text).remove(u'&'));
    }
}
