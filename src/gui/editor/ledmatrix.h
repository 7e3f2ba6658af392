// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/editor/matrixtext.h"
#include "core/model/charsetmode.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <array>

struct BoardFont;

// The board model: one screen of 10 rows by 20 characters drawn dot by dot as the board lights
// it, and the place where the screen's text is typed. Editing rules live in MatrixText.
class LedMatrix : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kCellWidth = 32;
    static constexpr int kCellHeight = 58;
    static constexpr int kDotPitch = 5;
    static constexpr int kDotSize = 4;
    static constexpr int kDotOffsetX = 7;
    static constexpr int kDotOffsetY = 18;
    static constexpr int kGridWidth = 646;
    static constexpr int kGridHeight = 589;

    explicit LedMatrix(QWidget *parent = nullptr);

    // Columns and rows of the board's text area; dots outside it light in a dimmer colour.
    void setActiveArea(int columns, int rows);
    // The font (not owned) and the message shown while the control is read-only. Set the text
    // again afterwards so that the cells take the new glyphs.
    // The matrix takes every cell's glyph again when BoardFontEvents reports a reloaded font.
    void setBoardFont(const BoardFont *font, const QString &emptyMessage);
    // The song's charset: a letter it cannot keep is refused when typed, and replaced by the
    // nearest letter it keeps, after one question, when pasted.
    void setCharset(CharsetMode charset) { m_charset = charset; }
    CharsetMode charset() const { return m_charset; }
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    void setGridVisible(bool visible);

    void setText(const QString &text);
    QString text() const { return m_text.text(); }
    void clear();
    void clearRow(int row);
    void putChar(QChar c, int column, int row);
    void alignAll(MatrixText::Alignment alignment);
    void copySelection();
    void paste();
    bool hasSelection() const { return m_text.hasSelection(); }
    // Puts the cursor on a cell, clearing any selection.
    void setCursorPosition(int column, int row);
    // Selects the cells from anchor to end inclusive, the cursor on anchor.
    void selectCells(int anchor, int end);
    // The stanza and screen shown, as the window names it; screen readers read it with the text.
    void setScreenCaption(const QString &caption);
    QString screenCaption() const { return m_caption; }
    // Types one printable character at the cursor as a key would, in insert or overwrite mode.
    void typeCharacter(QChar c);

    const MatrixText &model() const { return m_text; }
    // The five column bytes shown in a cell (byte 0 the leftmost column).
    std::array<quint8, 5> cellColumns(int cell) const { return m_cells[cell]; }
    static QRect cellRect(int cell);
    static QPoint dotPosition(int column, int row, int dotColumn, int dotRow);

    // Paints the whole control into painter; used by paintEvent and by previews.
    void render(QPainter &painter, const QRect &area) const;
    QSize sizeHint() const override { return {MatrixText::kColumns * kCellWidth, MatrixText::kRows * kCellHeight + 5}; }

signals:
    // A character is about to be typed into a cell (not Backspace, Tab or Enter).
    void characterTyped(QChar c);
    // A typed character the charset cannot keep: nothing was changed.
    void characterRefused(QChar c);
    void textEdited();
    // A double click, also while read-only.
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent *event) override;

private:
    void buildImages();
    void refresh();
    void takeGlyph(int cell);
    void retakeGlyphs();
    int cellAt(const QPoint &pos) const;
    const QPixmap &dotImageFor(int cell) const;

    MatrixText m_text;
    std::array<std::array<quint8, 5>, MatrixText::kCells> m_cells{};
    const BoardFont *m_font = nullptr;
    QString m_emptyMessage;
    QString m_caption;
    CharsetMode m_charset = CharsetMode::Latin;
    bool m_readOnly = true;
    bool m_grid = true;
    bool m_dragging = false;
    int m_lastHovered = -1;
    int m_activeColumns = MatrixText::kColumns;
    int m_activeRows = MatrixText::kRows;
    QPixmap m_gridImage;
    QPixmap m_dotLit;
    QPixmap m_dotUnlit;
    QPixmap m_dotLitOutside;
    QPixmap m_dotSelected;
};
