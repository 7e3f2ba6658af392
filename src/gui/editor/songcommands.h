// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/songsnapshot.h"

#include <QUndoCommand>

#include <functional>

class QWidget;

// Merge ids of the commands that grow while the user types.
enum SongCommandId { Cmd_Typing = 1, Cmd_Title, Cmd_Number };

// What the song editor's commands ask of the page that shows the song.
class SongCommandView
{
public:
    virtual ~SongCommandView() = default;
    virtual Song &commandSong() = 0;
    // Shows the song's current screen with the matrix cursor on cell; with fields also the
    // sequence list, the refrain box, the title and the number.
    virtual void showCommandResult(int cell, bool fields) = 0;
};

// The clock typing runs are timed with, in milliseconds: the UiSeams of owner's window, else a
// monotonic clock.
qint64 typingClock(const QWidget *owner);

// One screen's text typed, erased, cleared, aligned or pasted. It is pushed once the song
// already holds the new text and the matrix shows it, so its first redo() changes nothing.
class EditScreenText : public QUndoCommand
{
public:
    // Longer pauses between keys start a new command.
    static constexpr qint64 kIdleGap = 1500;

    struct Edit
    {
        int stanza = 0;
        int screen = 0;
        QString before;
        QString after;
        int cellBefore = 0; // matrix cursor
        int cellAfter = 0;
        qint64 time = 0;      // of the last key
        bool joinable = true; // false for a paste, Enter, a clear or an alignment
    };

    EditScreenText(SongCommandView &view, const Edit &edit);
    int id() const override { return m_edit.joinable ? Cmd_Typing : -1; }
    // Joins typing that goes on where this left off on the same screen without a long pause;
    // back at the old text the command becomes obsolete.
    bool mergeWith(const QUndoCommand *other) override;
    void undo() override;
    void redo() override;

private:
    void apply(const QString &text, int cell);

    SongCommandView &m_view;
    Edit m_edit;
    bool m_shown = true;
};

// Any other edit of the song: the song before and after it. Title and number edits of one
// typing run in their field (mergeId Cmd_Title or Cmd_Number, same run) make one command.
class ChangeSong : public QUndoCommand
{
public:
    struct State
    {
        SongSnapshot song;
        int cell = 0;
    };

    ChangeSong(SongCommandView &view, int textId, const State &before, const State &after, int mergeId = -1,
               int run = 0);
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand *other) override;
    void undo() override;
    void redo() override;

private:
    void apply(const State &state);

    SongCommandView &m_view;
    State m_before;
    State m_after;
    int m_mergeId;
    int m_run;
    bool m_shown = true;
};
