// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/editor/matrixtext.h"

#include <QAccessibleWidget>

class LedMatrix;

// What a screen reader reads of the matrix: its 10 lines as one text (a line feed after each
// line but the last, trailing blanks kept so that offsets map to cells), the caret and the
// selection, and in its name the stanza and screen it shows.
class LedMatrixAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    static constexpr int kLineLength = MatrixText::kColumns + 1;

    explicit LedMatrixAccessible(LedMatrix *matrix);

    static int offsetOfCell(int cell);
    // The cell of a text offset; a line feed belongs to the last cell of its line.
    static int cellAtOffset(int offset);
    // Sends what changed since the last call (text, caret, selection, caption) to listening
    // tools. Costs nothing while none listens.
    static void notify(LedMatrix *matrix);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text which) const override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    LedMatrix *matrix() const;
    QString fullText() const;
    void sendChanges();

    QString m_sentText;
    QString m_sentCaption;
    int m_sentCaret = -1;
    int m_sentAnchor = -1;
    int m_sentEnd = -1;
};
