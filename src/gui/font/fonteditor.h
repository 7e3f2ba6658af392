// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/font/boardfont.h"

#include <QDialog>

class AppCore;
class GlyphCell;
class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
struct FontExportResult;

// The modal font editor: picks a font of the font folder, edits its 256 glyphs dot by dot with
// a comment each, saves, copies or deletes font files, exports all fonts for the board and
// renders a chart of the font. Escape does nothing; closing the window is "Cancel".
class FontEditor : public QDialog
{
    Q_OBJECT
public:
    explicit FontEditor(AppCore &core, QWidget *parent = nullptr);

    const BoardFont &boardFont() const { return m_font; }
    QString fontName() const { return m_fontName; } // empty when no font is loaded
    int glyphIndex() const { return m_glyph; }
    bool isModified() const { return m_modified; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    // The glyph cell with its navigation, the font list, the comment and the bottom row.
    QGroupBox *buildLookGroup();
    QGroupBox *buildListGroup();
    QGroupBox *buildCommentGroup();
    QHBoxLayout *buildActionRow();
    void connectControls();
    void applyTexts();

    QString fontPath(const QString &name) const;
    // Refills the list from the folder and loads the entry named select (else the first).
    void fillList(const QString &select);
    void loadEntry(int row);
    void onListRowChanged(int row);

    void redisplay(const QWidget *typedInto = nullptr);
    void setGlyphIndex(int index, const QWidget *typedInto = nullptr);
    void onDecimalEdited(const QString &text);
    void onHexEdited(const QString &text);
    void onCommentEdited(const QString &text);
    void onCellChanged();
    void shiftRows(bool down);

    // Saves the loaded font to its file: 211 on failure, 212 when there is none.
    bool saveFont();
    // With unsaved edits, asks whether to save them first; false when a save failed.
    bool offerToSave();
    void addFont();
    void deleteFont();
    void exportFonts();
    void saveChart();
    void finish();

    AppCore &m_core;
    QString m_fontDir;
    BoardFont m_font;
    QString m_fontName;
    int m_fontIndex = -1;
    int m_glyph = 0;
    bool m_modified = false;

    GlyphCell *m_cell = nullptr;
    QListWidget *m_list = nullptr;
    QLabel *m_number = nullptr;
    QLineEdit *m_decimal = nullptr;
    QLineEdit *m_hex = nullptr;
    QLabel *m_character = nullptr;
    QLabel *m_columns = nullptr;
    QCheckBox *m_mirrored = nullptr;
    QLineEdit *m_comment = nullptr;
    QPushButton *m_add = nullptr, *m_delete = nullptr, *m_previous = nullptr, *m_next = nullptr;
    QPushButton *m_rowDown = nullptr, *m_rowUp = nullptr, *m_chart = nullptr, *m_export = nullptr;
    QPushButton *m_save = nullptr, *m_ok = nullptr, *m_cancel = nullptr;
};

// One box for a font export: doneText when every font was written; doneText and the fonts left
// out with the reason of each (an error box); or why the files could not be written. Answers
// whether they were written.
bool showFontExportOutcome(QWidget *owner, const FontExportResult &result, const QString &doneText);
