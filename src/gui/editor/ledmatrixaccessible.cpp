// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/ledmatrixaccessible.h"

#include "core/app/language.h"
#include "gui/editor/ledmatrix.h"

LedMatrixAccessible::LedMatrixAccessible(LedMatrix *matrix) : QAccessibleWidget(matrix, QAccessible::EditableText)
{
    m_sentText = fullText();
    m_sentCaption = matrix->screenCaption();
}

LedMatrix *LedMatrixAccessible::matrix() const
{
    return static_cast<LedMatrix *>(widget());
}

int LedMatrixAccessible::offsetOfCell(int cell)
{
    return cell / MatrixText::kColumns * kLineLength + cell % MatrixText::kColumns;
}

int LedMatrixAccessible::cellAtOffset(int offset)
{
    const int row = qBound(0, offset / kLineLength, MatrixText::kRows - 1);
    const int column = qBound(0, offset - row * kLineLength, MatrixText::kColumns - 1);
    return row * MatrixText::kColumns + column;
}

QString LedMatrixAccessible::fullText() const
{
    QStringList lines;
    for (int row = 0; row < MatrixText::kRows; ++row)
        lines << matrix()->model().row(row);
    return lines.join(u'\n');
}

void LedMatrixAccessible::notify(LedMatrix *matrix)
{
    if (!QAccessible::isActive())
        return;
    if (auto *iface = dynamic_cast<LedMatrixAccessible *>(QAccessible::queryAccessibleInterface(matrix)))
        iface->sendChanges();
}

void LedMatrixAccessible::sendChanges()
{
    QObject *matrixObject = matrix();
    const QString text = fullText();
    if (text != m_sentText) {
        // Only the changed stretch, so that a reader speaks the typed letter, not the screen.
        int start = 0;
        while (start < text.size() && text[start] == m_sentText[start])
            ++start;
        int end = 0;
        while (end < text.size() - start && text[text.size() - 1 - end] == m_sentText[text.size() - 1 - end])
            ++end;
        QAccessibleTextUpdateEvent event(matrixObject, start, m_sentText.mid(start, m_sentText.size() - start - end),
                                         text.mid(start, text.size() - start - end));
        m_sentText = text;
        QAccessible::updateAccessibility(&event);
    }
    const MatrixText &model = matrix()->model();
    const int anchor = model.hasSelection() ? model.anchor() : -1;
    const int end = model.hasSelection() ? model.selectionEnd() : -1;
    if (anchor != m_sentAnchor || end != m_sentEnd) {
        m_sentAnchor = anchor;
        m_sentEnd = end;
        QAccessibleTextSelectionEvent event(matrixObject, anchor < 0 ? -1 : offsetOfCell(anchor),
                                            end < 0 ? -1 : offsetOfCell(end) + 1);
        event.setCursorPosition(cursorPosition());
        QAccessible::updateAccessibility(&event);
    }
    if (cursorPosition() != m_sentCaret) {
        m_sentCaret = cursorPosition();
        QAccessibleTextCursorEvent event(matrixObject, m_sentCaret);
        QAccessible::updateAccessibility(&event);
    }
    if (matrix()->screenCaption() != m_sentCaption) {
        m_sentCaption = matrix()->screenCaption();
        QAccessibleEvent event(matrixObject, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void *LedMatrixAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::Role LedMatrixAccessible::role() const
{
    return QAccessible::EditableText;
}

QAccessible::State LedMatrixAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.multiLine = true;
    state.editable = !matrix()->isReadOnly();
    state.readOnly = matrix()->isReadOnly();
    state.selectableText = true;
    return state;
}

QString LedMatrixAccessible::text(QAccessible::Text which) const
{
    // A label beside the widget (or the group box around it) is not its name: the name says what
    // it shows, unless the window set one.
    const QString text = which == QAccessible::Name ? widget()->accessibleName() : QAccessibleWidget::text(which);
    if (!text.isEmpty())
        return text;
    switch (which) {
    case QAccessible::Name: {
        const QString name = Lang::text(Txt::A11yMatrixName);
        const QString caption = matrix()->screenCaption();
        return caption.isEmpty() ? name : name + u", " + caption;
    }
    case QAccessible::Description:
        return Lang::text(Txt::A11yMatrixDescription);
    case QAccessible::Value:
        return fullText();
    default:
        return text;
    }
}

void LedMatrixAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    const MatrixText &model = matrix()->model();
    if (selectionIndex != 0 || !model.hasSelection())
        return;
    *startOffset = offsetOfCell(model.anchor());
    *endOffset = offsetOfCell(model.selectionEnd()) + 1;
}

int LedMatrixAccessible::selectionCount() const
{
    return matrix()->model().hasSelection() ? 1 : 0;
}

void LedMatrixAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void LedMatrixAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0 && matrix()->hasSelection())
        setCursorPosition(cursorPosition());
}

void LedMatrixAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0 || endOffset <= startOffset)
        return;
    matrix()->selectCells(cellAtOffset(startOffset), cellAtOffset(endOffset - 1));
}

int LedMatrixAccessible::cursorPosition() const
{
    return offsetOfCell(matrix()->model().cursorCell());
}

void LedMatrixAccessible::setCursorPosition(int position)
{
    const int cell = cellAtOffset(position);
    matrix()->setCursorPosition(cell % MatrixText::kColumns, cell / MatrixText::kColumns);
}

QString LedMatrixAccessible::text(int startOffset, int endOffset) const
{
    const QString text = fullText();
    startOffset = qBound(0, startOffset, int(text.size()));
    endOffset = endOffset < 0 ? int(text.size()) : qBound(startOffset, endOffset, int(text.size()));
    return text.mid(startOffset, endOffset - startOffset);
}

int LedMatrixAccessible::characterCount() const
{
    return MatrixText::kRows * kLineLength - 1;
}

QRect LedMatrixAccessible::characterRect(int offset) const
{
    const QRect local = LedMatrix::cellRect(cellAtOffset(offset));
    return QRect(matrix()->mapToGlobal(local.topLeft()), local.size());
}

int LedMatrixAccessible::offsetAtPoint(const QPoint &point) const
{
    const QPoint local = matrix()->mapFromGlobal(point);
    if (!matrix()->rect().contains(local))
        return -1;
    for (int cell = 0; cell < MatrixText::kCells; ++cell) {
        if (LedMatrix::cellRect(cell).contains(local))
            return offsetOfCell(cell);
    }
    return -1;
}

void LedMatrixAccessible::scrollToSubstring(int, int)
{
    // The whole screen is always in view.
}

QString LedMatrixAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = offset;
    return {};
}
