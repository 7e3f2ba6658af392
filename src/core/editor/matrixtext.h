// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/boardcharset.h"

#include <QString>

#include <bitset>
#include <functional>

// The text of one board screen (10 rows of 20 characters) with the editing rules of the
// LED matrix: cursor, selection, insert and overwrite typing, Backspace, Enter, Delete,
// copy, paste and row alignment. The widget draws it; every rule lives here.
class MatrixText
{
public:
    static constexpr int kColumns = 20;
    static constexpr int kRows = 10;
    static constexpr int kCells = kColumns * kRows;

    using Alignment = BoardCharset::RowAlignment;
    using Cells = std::bitset<kCells>;

    MatrixText();

    // Pads with spaces to 200 characters or cuts there; clears the selection; cursor (0, 0).
    void setText(const QString &text);
    const QString &text() const { return m_text; }
    QString row(int r) const { return m_text.mid(r * kColumns, kColumns); }
    QChar at(int cell) const { return m_text.at(cell); }

    void clear();
    void clearRow(int r);
    void putChar(QChar c, int column, int row);
    void alignAll(Alignment alignment);

    int column() const { return m_column; }
    int row() const { return m_row; }
    int cursorCell() const { return m_row * kColumns + m_column; }
    // Moves the cursor; the new cursor cell becomes the selection anchor.
    void setCursor(int column, int row);

    enum class Move { Home, End, Left, Right, Up, Down };
    void move(Move move);

    bool overwrite() const { return m_overwrite; }
    void toggleOverwrite();

    // Selection: shown from anchor to end inclusive when the end lies after the anchor.
    int anchor() const { return m_anchor; }
    int selectionEnd() const { return m_end; }
    bool hasSelection() const { return m_anchor >= 0 && m_end > m_anchor; }
    bool isSelected(int cell) const { return hasSelection() && cell >= m_anchor && cell <= m_end; }
    void selectAll();
    void setSelectionEnd(int cell);
    void clearSelection();

    // The selected characters, with CR LF after every column-19 character when the
    // selection spans more than 19 cells. Empty without a selection.
    QString selectedText() const;

    // Typed characters: Backspace (U+0008), Enter (U+000D), Tab (ignored) and text.
    void type(QChar c);
    void deleteAtCursor();

    // Pastes at the cursor. When the text is longer than the room left, confirmOverflow is
    // asked; false cancels. Returns whether anything was pasted.
    bool paste(const QString &clipboard, const std::function<bool()> &confirmOverflow);

    // Cells whose character, selection state or cursor marks changed since the last call.
    Cells takeDirty();

private:
    void setRow(int r, const QString &text);
    void removeRow(int r);
    void insertRowBelow(int r, const QString &text);
    void advance();
    void typeCharacter(QChar c);
    void backspace();
    void enter();
    void markRow(int r)
    {
        for (int c = 0; c < kColumns; ++c)
            m_dirty.set(r * kColumns + c);
    }
    void markRowsFrom(int r)
    {
        for (int i = r; i < kRows; ++i)
            markRow(i);
    }
    void markCursor() { m_dirty.set(cursorCell()); }
    void markSelection();

    QString m_text;
    int m_column = 0;
    int m_row = 0;
    int m_anchor = -1;
    int m_end = -1;
    bool m_overwrite = false;
    Cells m_dirty;
};

// A row's text without its trailing spaces.
QString trimmedRight(const QString &row);
