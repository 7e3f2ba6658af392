// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QUndoStack>

class QMenu;

// The song title's edit, with a context menu of its own: undo, cut, copy, paste, delete,
// select all and the two capitalisations. A capitalisation is an edit of the user's own: it can
// be undone and it emits textEdited, which the editor follows. With an undo stack set, the
// menu's undo is the stack's.
class TitleEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TitleEdit(QWidget *parent = nullptr);

    // The menu as the right button shows it, with entries greyed for the edit's present state.
    QMenu *createMenu(QWidget *parent);

    void setUndoStack(QUndoStack *stack) { m_undoStack = stack; }

    void capitaliseWords();
    void capitaliseFirstLetter();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void replaceAllAsTyped(const QString &text);

    QPointer<QUndoStack> m_undoStack;
};
