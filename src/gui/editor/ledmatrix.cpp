// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/ledmatrix.h"

#include "core/app/language.h"
#include "core/font/boardfont.h"
#include "core/lyrics/boardtext.h"
#include "core/model/boardcharset.h"
#include "gui/app/boardfontevents.h"
#include "gui/app/messageboxes.h"
#include "gui/editor/ledmatrixaccessible.h"
#include "gui/widgets/boardcolours.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace {

// A 4 x 4 dot: a filled square with its corner pixels black; on a dense screen each of those
// pixels is ratio x ratio device pixels, so the dots stay sharp.
QPixmap dotImage(const QColor &colour, int ratio)
{
    const int side = LedMatrix::kDotSize * ratio;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(colour);
    const int last = side - ratio;
    for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
        for (int y = 0; y < ratio; ++y)
            for (int x = 0; x < ratio; ++x)
                image.setPixelColor(corner + QPoint(x, y), Qt::black);
    }
    image.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(image);
}

// Alt without Ctrl belongs to the menus (Alt+letter opens one) and never types; Ctrl+Alt is
// AltGr on many layouts and types its letter.
bool isMenuKey(Qt::KeyboardModifiers mods)
{
    return mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier);
}

// A key that types into the matrix; other Ctrl keys are left to the window's shortcuts.
bool isTyped(const QKeyEvent &key)
{
    const bool control = key.modifiers().testFlag(Qt::ControlModifier) && !key.modifiers().testFlag(Qt::AltModifier);
    return !key.text().isEmpty() && !control;
}

} // namespace

LedMatrix::LedMatrix(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LedMatrix"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // The page that holds the matrix builds its menu.
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMinimumSize(sizeHint());
    buildImages();
    m_text.takeDirty();
    connect(&BoardFontEvents::instance(), &BoardFontEvents::boardFontsReloaded, this, &LedMatrix::retakeGlyphs);
}

void LedMatrix::buildImages()
{
    // Whole device pixels per dot pixel: a fractional scale rounds up rather than blur.
    const int ratio = qMax(1, qCeil(devicePixelRatioF()));
    m_dotLit = dotImage(BoardColours::kLit, ratio);
    m_dotUnlit = dotImage(BoardColours::kUnlit, ratio);
    m_dotLitOutside = dotImage(BoardColours::kLitOutside, ratio);
    m_dotSelected = dotImage(BoardColours::kSelected, ratio);
    m_gridImage = QPixmap(kGridWidth * ratio, kGridHeight * ratio);
    m_gridImage.setDevicePixelRatio(ratio);
    m_gridImage.fill(Qt::black);
    QPainter p(&m_gridImage);
    for (int row = 0; row < MatrixText::kRows; ++row)
        for (int column = 0; column < MatrixText::kColumns; ++column)
            for (int j = 0; j < 8; ++j)
                for (int i = 0; i < 5; ++i)
                    p.drawPixmap(dotPosition(column, row, i, j), m_dotUnlit);
}

QRect LedMatrix::cellRect(int cell)
{
    const int column = cell % MatrixText::kColumns;
    const int row = cell / MatrixText::kColumns;
    return QRect(QPoint(column * kCellWidth, row * kCellHeight),
                 QPoint((column + 1) * kCellWidth - 1, (row + 1) * kCellHeight + 5 - 1));
}

QPoint LedMatrix::dotPosition(int column, int row, int dotColumn, int dotRow)
{
    return {column * kCellWidth + dotColumn * kDotPitch + kDotOffsetX,
            row * kCellHeight + dotRow * kDotPitch + kDotOffsetY};
}

void LedMatrix::setActiveArea(int columns, int rows)
{
    m_activeColumns = qBound(1, columns, MatrixText::kColumns);
    m_activeRows = qBound(1, rows, MatrixText::kRows);
    update();
}

void LedMatrix::setBoardFont(const BoardFont *font, const QString &emptyMessage)
{
    m_font = font;
    m_emptyMessage = emptyMessage;
    update();
}

void LedMatrix::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    update();
}

void LedMatrix::setGridVisible(bool visible)
{
    m_grid = visible;
    update();
}

// Takes the glyphs of changed cells and repaints only those cells.
void LedMatrix::refresh()
{
    const MatrixText::Cells dirty = m_text.takeDirty();
    if (dirty.none())
        return;
    QRegion region;
    for (int cell = 0; cell < MatrixText::kCells; ++cell) {
        if (!dirty.test(cell))
            continue;
        takeGlyph(cell);
        region += cellRect(cell);
    }
    update(dirty.all() ? QRegion(rect()) : region);
    LedMatrixAccessible::notify(this);
}

void LedMatrix::takeGlyph(int cell)
{
    if (m_font)
        m_cells[cell] = m_font->glyphs[BoardCharset::toBoardCode(m_text.at(cell).unicode())].columns;
}

void LedMatrix::retakeGlyphs()
{
    for (int cell = 0; cell < MatrixText::kCells; ++cell)
        takeGlyph(cell);
    update();
}

void LedMatrix::setText(const QString &text)
{
    m_text.setText(text);
    refresh();
}

void LedMatrix::clear()
{
    m_text.clear();
    refresh();
}

void LedMatrix::clearRow(int row)
{
    m_text.clearRow(row);
    refresh();
}

void LedMatrix::putChar(QChar c, int column, int row)
{
    m_text.putChar(c, column, row);
    refresh();
}

void LedMatrix::alignAll(MatrixText::Alignment alignment)
{
    m_text.alignAll(alignment);
    refresh();
}

void LedMatrix::copySelection()
{
    const QString text = m_text.selectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void LedMatrix::paste()
{
    QString text = QApplication::clipboard()->text();
    const QString foreign = BoardCharset::foreignCharacters(text, m_charset);
    if (!foreign.isEmpty()) {
        const auto answer = choiceBox(
            this, Lang::text(Txt::PasteForeignQuestion).arg(foreign),
            {{QMessageBox::Yes, Txt::ReplaceLettersButton}, {QMessageBox::Cancel, Txt::ButtonCancel}},
            QMessageBox::Yes);
        if (answer != QMessageBox::Yes)
            return;
        int replaced = 0;
        text = BoardText::fitKeepingControls(text, m_charset, &replaced);
    }
    const bool pasted = m_text.paste(
        text, [this] { return questionBox(this, Lang::text(Txt::MatrixPasteTooLong)) == QMessageBox::Yes; });
    refresh();
    if (pasted)
        emit textEdited();
}

const QPixmap &LedMatrix::dotImageFor(int cell) const
{
    if (m_text.isSelected(cell))
        return m_dotSelected;
    const int column = cell % MatrixText::kColumns;
    const int row = cell / MatrixText::kColumns;
    return column < m_activeColumns && row < m_activeRows ? m_dotLit : m_dotLitOutside;
}

void LedMatrix::render(QPainter &p, const QRect &area) const
{
    if (m_grid) {
        // The source rectangle is in the image's device pixels.
        const qreal ratio = m_gridImage.devicePixelRatio();
        p.drawPixmap(QRectF(area), m_gridImage, QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
    } else {
        p.fillRect(area, Qt::black);
    }

    const int cursorColumn = m_text.column();
    const int cursorRow = m_text.row();
    if (m_text.overwrite()) {
        p.fillRect(QRect(QPoint(cursorColumn * kCellWidth + 4, cursorRow * kCellHeight + 17),
                         QPoint(cursorColumn * kCellWidth + 31, cursorRow * kCellHeight + 57)),
                   BoardColours::kOverwriteBlock);
    }
    for (int cell = 0; cell < MatrixText::kCells; ++cell) {
        if (!area.intersects(cellRect(cell)))
            continue;
        const auto &columns = m_cells[cell];
        const QPixmap &dot = dotImageFor(cell);
        const int column = cell % MatrixText::kColumns;
        const int row = cell / MatrixText::kColumns;
        for (int i = 0; i < 5; ++i) {
            const quint8 bits = columns[i];
            if (!bits)
                continue;
            for (int j = 0; j < 8; ++j) {
                if (bits & (0x80 >> j))
                    p.drawPixmap(dotPosition(column, row, i, j), dot);
            }
        }
    }
    if (m_readOnly && !m_emptyMessage.isEmpty()) {
        p.setPen(Qt::white);
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_emptyMessage);
    }
    if (!m_readOnly && !m_text.overwrite()) {
        p.fillRect(QRect(QPoint(cursorColumn * kCellWidth + 2, cursorRow * kCellHeight + 18),
                         QPoint(cursorColumn * kCellWidth + 6, cursorRow * kCellHeight + 57)),
                   BoardColours::kCaret);
    }
}

void LedMatrix::paintEvent(QPaintEvent *event)
{
    if (m_gridImage.devicePixelRatio() != qMax(1, qCeil(devicePixelRatioF())))
        buildImages(); // moved to a screen of another density
    QPainter p(this);
    render(p, event->rect());
}

bool LedMatrix::focusNextPrevChild(bool next)
{
    // While editing, Tab belongs to the matrix, which ignores it; read-only it moves on.
    return m_readOnly && QWidget::focusNextPrevChild(next);
}

bool LedMatrix::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // Every key reaches the matrix, also those the window would take as shortcuts.
        auto *key = static_cast<QKeyEvent *>(event);
        if (!m_readOnly && !isMenuKey(key->modifiers())
            && (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste)
                || key->matches(QKeySequence::SelectAll) || isTyped(*key))) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void LedMatrix::keyPressEvent(QKeyEvent *event)
{
    if (m_readOnly) {
        event->ignore();
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (isMenuKey(mods)) {
        event->ignore();
        return;
    }
    // AltGr arrives as Ctrl+Alt on some layouts: only Ctrl without Alt is a command.
    const bool control = mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier);
    const auto moveTo = [this](MatrixText::Move move) { m_text.move(move); };
    bool edited = false;
    switch (event->key()) {
    case Qt::Key_V:
        if (control) {
            paste();
            return;
        }
        break;
    case Qt::Key_C:
        if (control) {
            copySelection();
            return;
        }
        break;
    case Qt::Key_A:
        if (control) {
            m_text.selectAll();
            refresh();
            return;
        }
        break;
    case Qt::Key_End:
        moveTo(MatrixText::Move::End);
        refresh();
        return;
    case Qt::Key_Home:
        moveTo(MatrixText::Move::Home);
        refresh();
        return;
    case Qt::Key_Left:
        moveTo(MatrixText::Move::Left);
        refresh();
        return;
    case Qt::Key_Right:
        moveTo(MatrixText::Move::Right);
        refresh();
        return;
    case Qt::Key_Up:
        moveTo(MatrixText::Move::Up);
        refresh();
        return;
    case Qt::Key_Down:
        moveTo(MatrixText::Move::Down);
        refresh();
        return;
    case Qt::Key_Insert:
        m_text.toggleOverwrite();
        refresh();
        return;
    case Qt::Key_Delete:
        m_text.deleteAtCursor();
        refresh();
        emit textEdited();
        return;
    case Qt::Key_Backspace:
        m_text.type(QChar(0x08));
        edited = true;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_text.type(QChar(0x0D));
        edited = true;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Tab types nothing; Ctrl+Tab leaves the matrix, so the keyboard never gets stuck in it.
        if (control)
            QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab && !mods.testFlag(Qt::ShiftModifier));
        return;
    default:
        break;
    }
    if (!edited) {
        if (control) {
            event->ignore();
            return;
        }
        const QString typed = event->text();
        for (QChar c : typed) {
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                continue;
            typeCharacter(c);
            edited = true;
        }
        if (edited)
            return; // typeCharacter repainted and reported each one
    }
    refresh();
    if (edited)
        emit textEdited();
    else
        event->ignore();
}

void LedMatrix::typeCharacter(QChar c)
{
    if (m_readOnly)
        return;
    if (!BoardCharset::keeps(c.unicode(), m_charset)) {
        emit characterRefused(c);
        return;
    }
    emit characterTyped(c);
    m_text.type(c);
    refresh();
    emit textEdited();
}

int LedMatrix::cellAt(const QPoint &pos) const
{
    const int column = qBound(0, pos.x() / kCellWidth, MatrixText::kColumns - 1);
    const int row = qBound(0, pos.y() / kCellHeight, MatrixText::kRows - 1);
    return row * MatrixText::kColumns + column;
}

void LedMatrix::mousePressEvent(QMouseEvent *event)
{
    if (m_readOnly)
        return;
    const int cell = cellAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_text.setCursor(cell % MatrixText::kColumns, cell / MatrixText::kColumns);
    } else if (event->button() == Qt::RightButton) {
        m_text.setCursor(cell % MatrixText::kColumns, cell / MatrixText::kColumns);
    }
    refresh();
}

void LedMatrix::setCursorPosition(int column, int row)
{
    m_text.setCursor(column, row);
    refresh();
}

void LedMatrix::selectCells(int anchor, int end)
{
    m_text.setCursor(anchor % MatrixText::kColumns, anchor / MatrixText::kColumns);
    m_text.setSelectionEnd(end);
    refresh();
}

void LedMatrix::setScreenCaption(const QString &caption)
{
    m_caption = caption;
    LedMatrixAccessible::notify(this);
}

void LedMatrix::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void LedMatrix::mouseMoveEvent(QMouseEvent *event)
{
    if (m_readOnly || !m_dragging)
        return;
    const int cell = cellAt(event->position().toPoint());
    if (cell == m_lastHovered)
        return;
    m_lastHovered = cell;
    m_text.setSelectionEnd(cell);
    refresh();
}

void LedMatrix::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_readOnly || event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    m_lastHovered = -1;
    m_text.setSelectionEnd(cellAt(event->position().toPoint()));
    if (m_text.selectionEnd() == m_text.anchor())
        m_text.clearSelection();
    refresh();
}
