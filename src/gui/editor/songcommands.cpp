// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/songcommands.h"

#include "core/app/language.h"
#include "gui/app/uiseams.h"

#include <QElapsedTimer>

qint64 typingClock(const QWidget *owner)
{
    if (const std::function<qint64()> &clock = seamsOf(owner).typingClock)
        return clock();
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}

EditScreenText::EditScreenText(SongCommandView &view, const Edit &edit) : m_view(view), m_edit(edit)
{
    setText(Lang::text(Txt::UndoScreenText));
}

bool EditScreenText::mergeWith(const QUndoCommand *other)
{
    if (other->id() != id())
        return false;
    const Edit &next = static_cast<const EditScreenText *>(other)->m_edit;
    if (next.stanza != m_edit.stanza || next.screen != m_edit.screen || next.cellBefore != m_edit.cellAfter
        || next.time - m_edit.time > kIdleGap)
        return false;
    m_edit.after = next.after;
    m_edit.cellAfter = next.cellAfter;
    m_edit.time = next.time;
    setObsolete(m_edit.after == m_edit.before);
    return true;
}

void EditScreenText::undo()
{
    apply(m_edit.before, m_edit.cellBefore);
}

void EditScreenText::redo()
{
    if (std::exchange(m_shown, false))
        return;
    apply(m_edit.after, m_edit.cellAfter);
}

void EditScreenText::apply(const QString &text, int cell)
{
    Song &song = m_view.commandSong();
    song.setScreenText(m_edit.stanza, m_edit.screen, text);
    song.setCursor(m_edit.stanza, m_edit.screen);
    m_view.showCommandResult(cell, false);
}

ChangeSong::ChangeSong(SongCommandView &view, int textId, const State &before, const State &after, int mergeId, int run)
    : m_view(view), m_before(before), m_after(after), m_mergeId(mergeId), m_run(run)
{
    setText(Lang::text(textId));
}

bool ChangeSong::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const ChangeSong *>(other);
    if (other->id() != id() || next->m_run != m_run)
        return false;
    m_after = next->m_after;
    setObsolete(m_after.song.sameContent(m_before.song));
    return true;
}

void ChangeSong::undo()
{
    apply(m_before);
}

void ChangeSong::redo()
{
    if (std::exchange(m_shown, false))
        return;
    apply(m_after);
}

void ChangeSong::apply(const State &state)
{
    state.song.applyTo(m_view.commandSong());
    m_view.showCommandResult(state.cell, true);
}
