// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/editor/matrixtext.h"

namespace {

const QString kBlankRow(MatrixText::kColumns, u' ');

QString padded(const QString &text, int width)
{
    return text.left(width).leftJustified(width, u' ');
}

bool isBlank(QStringView text)
{
    for (QChar c : text) {
        if (c != u' ')
            return false;
    }
    return true;
}

} // namespace

QString trimmedRight(const QString &row)
{
    qsizetype n = row.size();
    while (n > 0 && row.at(n - 1) == u' ')
        --n;
    return row.left(n);
}

MatrixText::MatrixText() : m_text(kCells, u' ') {}

void MatrixText::setText(const QString &text)
{
    m_text = padded(text, kCells);
    m_anchor = m_end = -1;
    m_column = m_row = 0;
    m_dirty.set();
}

void MatrixText::clear()
{
    m_text.fill(u' ');
    m_column = m_row = 0;
    m_dirty.set();
}

void MatrixText::clearRow(int r)
{
    if (r < 0 || r >= kRows)
        return;
    markCursor();
    setRow(r, kBlankRow);
    m_column = 0;
    m_row = r;
}

void MatrixText::putChar(QChar c, int column, int row)
{
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows)
        return;
    markCursor();
    m_column = column;
    m_row = row;
    m_text[cursorCell()] = c;
    markCursor();
}

void MatrixText::alignAll(Alignment alignment)
{
    m_text = BoardCharset::alignScreen(m_text, alignment);
    m_dirty.set();
    markCursor();
    m_column = m_row = 0;
    markCursor();
}

void MatrixText::setCursor(int column, int row)
{
    markCursor();
    m_column = qBound(0, column, kColumns - 1);
    m_row = qBound(0, row, kRows - 1);
    markCursor();
    markSelection();
    m_anchor = cursorCell();
    markSelection();
}

void MatrixText::move(Move move)
{
    int column = m_column;
    int row = m_row;
    switch (move) {
    case Move::Home:
        column = 0;
        break;
    case Move::End:
        column = kColumns - 1;
        break;
    case Move::Left:
        column = column == 0 ? kColumns - 1 : column - 1;
        break;
    case Move::Right:
        column = column == kColumns - 1 ? 0 : column + 1;
        break;
    case Move::Up:
        row = row == 0 ? kRows - 1 : row - 1;
        break;
    case Move::Down:
        row = row == kRows - 1 ? 0 : row + 1;
        break;
    }
    setCursor(column, row);
}

void MatrixText::toggleOverwrite()
{
    m_overwrite = !m_overwrite;
    markCursor();
}

void MatrixText::markSelection()
{
    if (!hasSelection())
        return;
    for (int cell = m_anchor; cell <= m_end && cell < kCells; ++cell)
        m_dirty.set(cell);
}

void MatrixText::selectAll()
{
    markSelection();
    m_anchor = 0;
    m_end = kCells - 1;
    markSelection();
}

void MatrixText::setSelectionEnd(int cell)
{
    markSelection();
    m_end = qBound(-1, cell, kCells - 1);
    markSelection();
}

void MatrixText::clearSelection()
{
    markSelection();
    m_anchor = m_end = -1;
}

QString MatrixText::selectedText() const
{
    if (!hasSelection())
        return {};
    const bool multiLine = m_end - m_anchor + 1 > kColumns - 1;
    QString out;
    for (int cell = m_anchor; cell <= m_end && cell < kCells; ++cell) {
        out += m_text.at(cell);
        if (multiLine && cell % kColumns == kColumns - 1)
            out += u"\r\n";
    }
    return out;
}

void MatrixText::setRow(int r, const QString &text)
{
    m_text.replace(r * kColumns, kColumns, padded(text, kColumns));
    markRow(r);
}

void MatrixText::removeRow(int r)
{
    m_text.remove(r * kColumns, kColumns);
    m_text.append(kBlankRow);
    markRowsFrom(r);
}

void MatrixText::insertRowBelow(int r, const QString &text)
{
    if (r + 1 >= kRows)
        return; // below the last row: nothing is kept
    m_text.insert((r + 1) * kColumns, padded(text, kColumns));
    m_text.truncate(kCells);
    markRowsFrom(r + 1);
}

void MatrixText::advance()
{
    markCursor();
    const int cell = cursorCell();
    if (cell < kCells - 1) {
        m_column = (cell + 1) % kColumns;
        m_row = (cell + 1) / kColumns;
    }
    markCursor();
}

void MatrixText::type(QChar c)
{
    switch (c.unicode()) {
    case 0x08:
        backspace();
        break;
    case 0x09:
        break;
    case 0x0D:
        enter();
        break;
    default:
        typeCharacter(c);
        break;
    }
}

void MatrixText::typeCharacter(QChar c)
{
    const QString line = row(m_row);
    const bool onlySpacesAhead = isBlank(QStringView(line).mid(m_column));
    if (m_overwrite || onlySpacesAhead) {
        m_text[cursorCell()] = c;
        markCursor();
    } else if (line.at(kColumns - 1) == u' ') {
        setRow(m_row, line.left(m_column) + c + line.mid(m_column, kColumns - 1 - m_column));
    } else {
        // A full row splits: the characters from the cursor on go to a new row below.
        insertRowBelow(m_row, line.mid(m_column));
        setRow(m_row, line.left(m_column) + c);
    }
    advance();
}

void MatrixText::backspace()
{
    if (cursorCell() == 0)
        return;
    const QString line = row(m_row);
    if (m_column > 0) {
        setRow(m_row, line.left(m_column - 1) + line.mid(m_column));
        markCursor();
        --m_column;
        return;
    }
    const int r = m_row;
    const QString previous = trimmedRight(row(r - 1));
    const qsizetype n = previous.size();
    markCursor();
    if (n >= kColumns - 1) {
        setRow(r - 1, row(r - 1).left(kColumns - 1) + line.at(0));
        setRow(r, line.mid(1));
        m_column = kColumns - 1;
        m_row = r - 1;
    } else {
        const int k = n == 0 ? kColumns : int(kColumns - 1 - n);
        setRow(r - 1, n == 0 ? line : previous + u' ' + line.left(k));
        setRow(r, line.mid(k));
        const int cell = r * kColumns - k;
        m_column = cell % kColumns;
        m_row = cell / kColumns;
    }
    if (isBlank(row(r)))
        removeRow(r);
    markCursor();
}

void MatrixText::enter()
{
    if (m_row >= kRows - 1)
        return;
    const QString line = row(m_row);
    insertRowBelow(m_row, line.mid(m_column));
    setRow(m_row, line.left(m_column));
    markCursor();
    m_column = 0;
    ++m_row;
    markCursor();
}

void MatrixText::deleteAtCursor()
{
    const QString line = row(m_row);
    const QString text = trimmedRight(line);
    const bool charactersAhead = !isBlank(QStringView(line).mid(m_column));
    if (!text.isEmpty() && charactersAhead) {
        setRow(m_row, line.left(m_column) + line.mid(m_column + 1));
    } else if (!text.isEmpty() && m_row < kRows - 1) {
        // Behind the row's text: the next row joins this one.
        const QString next = row(m_row + 1);
        if (isBlank(next)) {
            removeRow(m_row + 1);
        } else {
            const int room = kColumns - m_column;
            setRow(m_row, line.left(m_column) + next.left(room));
            setRow(m_row + 1, next.mid(room));
        }
    } else if (text.isEmpty()) {
        removeRow(m_row);
    }
}

bool MatrixText::paste(const QString &clipboard, const std::function<bool()> &confirmOverflow)
{
    if (clipboard.isEmpty())
        return false;
    qsizetype length = 1;
    for (qsizetype i = 1; i < clipboard.size(); ++i) {
        if (clipboard.at(i) != u'\r' && clipboard.at(i) != u'\n')
            ++length;
    }
    int p = cursorCell();
    if (length > kCells - p && confirmOverflow && !confirmOverflow())
        return false;

    bool rowJustFilled = false; // a CR right after a full row does not leave an empty row
    for (QChar c : clipboard) {
        if (p >= kCells)
            break;
        const char16_t u = c.unicode();
        if (u == u'\n' || u == 0)
            continue;
        if (u == u'\r') {
            if (!rowJustFilled) {
                const int room = kColumns - p % kColumns;
                if (!m_overwrite) {
                    m_text.insert(p, QString(room, u' '));
                    m_text.truncate(kCells);
                }
                p += room;
            }
            rowJustFilled = false;
            continue;
        }
        const QChar ch = u < 0x20 ? QChar(u' ') : c;
        if (m_overwrite) {
            m_text[p] = ch;
        } else {
            m_text.insert(p, ch);
            m_text.truncate(kCells);
        }
        ++p;
        rowJustFilled = p % kColumns == 0;
    }
    m_dirty.set();
    const int cell = qMin(p, kCells);
    m_column = cell % kColumns;
    if (cell < kCells)
        m_row = cell / kColumns;
    m_anchor = m_end = -1;
    return true;
}

MatrixText::Cells MatrixText::takeDirty()
{
    const Cells dirty = m_dirty;
    m_dirty.reset();
    return dirty;
}
