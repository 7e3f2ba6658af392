// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/titleedit.h"

#include "core/app/language.h"
#include "core/editor/titlecase.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>

TitleEdit::TitleEdit(QWidget *parent) : QLineEdit(parent) {}

QMenu *TitleEdit::createMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    const bool writable = !isReadOnly();
    const bool selection = hasSelectedText();
    // Select all and the capitalisations have nothing to do on an empty or wholly selected text.
    const bool partlySelected = !text().isEmpty() && selectedText() != text();
    const auto add = [this, menu](int textId, auto slot, bool enabled) {
        QAction *action = menu->addAction(Lang::text(textId), this, slot);
        action->setEnabled(enabled);
    };
    if (m_undoStack)
        add(
            Txt::TitleMenuUndo, [this] { m_undoStack->undo(); }, writable && m_undoStack->canUndo());
    else
        add(Txt::TitleMenuUndo, &QLineEdit::undo, writable && isUndoAvailable());
    menu->addSeparator();
    add(Txt::TitleMenuCut, &QLineEdit::cut, writable && selection);
    add(Txt::TitleMenuCopy, &QLineEdit::copy, selection);
    add(Txt::TitleMenuPaste, &QLineEdit::paste,
        writable && !QApplication::clipboard()->text(QClipboard::Clipboard).isEmpty());
    add(Txt::TitleMenuDelete, &QLineEdit::del, writable && selection);
    menu->addSeparator();
    add(Txt::TitleMenuSelectAll, &QLineEdit::selectAll, partlySelected);
    menu->addSeparator();
    add(Txt::TitleMenuCapitaliseWords, &TitleEdit::capitaliseWords, writable && partlySelected);
    add(Txt::TitleMenuCapitaliseFirst, &TitleEdit::capitaliseFirstLetter, writable && partlySelected);
    return menu;
}

void TitleEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TitleEdit::capitaliseWords()
{
    replaceAllAsTyped(TitleCase::words(text()));
}

void TitleEdit::capitaliseFirstLetter()
{
    replaceAllAsTyped(TitleCase::firstLetter(text()));
}

void TitleEdit::replaceAllAsTyped(const QString &newText)
{
    if (newText == text())
        return;
    selectAll();
    insert(newText);
}
