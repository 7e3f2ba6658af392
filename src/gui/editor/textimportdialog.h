// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class ImportTextEdit;
class QCheckBox;
class QWidget;
class SongEditorLink;

// Arranges a pasted lyric text into board screens: the text area shows the lines in blocks of
// ten, one block per screen, and a check box beside each block marks it as a further screen of
// the stanza before. The import itself is TextImport's.
class TextImportDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TextImportDialog(const QString &text, QWidget *parent = nullptr);
    ~TextImportDialog() override;

    ImportTextEdit *textArea() const { return m_edit; }
    // The check box shown beside a block's first line, or null while that line is out of view.
    QCheckBox *blockBox(int block) const;
    QStringList lines() const;
    QList<bool> continuation() const;

    // Opens the dialog on the clipboard's text; on OK appends the blocks to the editor's song and
    // shows its first screen. Says so when not every block fitted and names the letters the
    // song's charset cannot keep. Returns whether the song changed.
    static bool importInto(SongEditorLink &editor, QWidget *parent);

private:
    void placeBoxes();
    void showBox(QCheckBox *box, bool checked);

    ImportTextEdit *m_edit;
    QWidget *m_boxColumn;
    QList<QCheckBox *> m_boxes;
};
