// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/app/commandids.h"

#include <QAction>
#include <QHash>
#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QSet>

#include <functional>

// The window's commands by id: each with its text id, shortcuts, icon and the rule that enables
// it. The window builds its menus and tool bar from here; each page takes the commands it answers
// with handle() and gives their enabled rule, so no page needs the window or another page.
class CommandRegistry : public QObject
{
    Q_OBJECT
public:
    struct Entry
    {
        Command command;
        int textId;
        QList<QKeySequence> shortcuts = {};
        QIcon icon = {};
        // The command opens a window that asks for more: its text ends with "...".
        bool opensDialog = false;
    };

    explicit CommandRegistry(QObject *parent = nullptr);

    // Creates the command's action, disabled until a handler or a rule enables it.
    QAction *add(const Entry &entry);
    QAction *action(Command command) const { return m_actions.value(command); }
    // Every command's action in the order the commands were added.
    const QList<QAction *> &actions() const { return m_order; }
    // The command's own name in the current language, whatever its action shows meanwhile (the
    // Edit menu's undo entry names the edit it takes back).
    QString name(const QAction *action) const;
    // Runs slot when the command is triggered; enabled (when given) says when it may be, else it always may.
    template <typename Receiver, typename Slot>
    void handle(Command command, Receiver *receiver, Slot slot, std::function<bool()> enabled = {})
    {
        if (QAction *a = action(command)) {
            QObject::connect(a, &QAction::triggered, receiver, slot);
            setEnabledRule(command, std::move(enabled));
        }
    }
    void setEnabledRule(Command command, std::function<bool()> enabled);
    // Asks every rule again; callers call it when what the rules read has changed.
    void updateStates();
    // Gives every command its text in the current language.
    void applyTexts();

private:
    QHash<Command, QAction *> m_actions;
    QHash<Command, int> m_texts;
    QHash<Command, std::function<bool()>> m_rules;
    QList<QAction *> m_order;
    QSet<Command> m_dialogs;
};
