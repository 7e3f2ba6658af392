// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/lyrics/lyricimport.h"

#include <QDialog>

class QComboBox;
class QTreeWidget;

// The choices of an import: the songbook whose entries number the songs, or none (the first free
// numbers); the encoding of text files, or recognised; the language of songs held in several.
class LyricImportOptions : public QDialog
{
    Q_OBJECT
public:
    LyricImportOptions(const LyricImport::BatchFacts &facts, QWidget *parent = nullptr);

    // Whether the batch leaves anything to choose.
    static bool needed(const LyricImport::BatchFacts &facts);
    // The chosen songbook, encoding and language; empty for none, recognised, the program's.
    QString songbook() const;
    QString encoding() const;
    QString language() const;
    QComboBox *songbookList() const { return m_songbooks; }
    QComboBox *encodingList() const { return m_encodings; }
    QComboBox *languageList() const { return m_languages; }

private:
    QComboBox *m_songbooks;
    QComboBox *m_encodings;
    QComboBox *m_languages;
};

// One row per file of an import: the file, the number it got, its title and what happened.
class LyricImportReport : public QDialog
{
    Q_OBJECT
public:
    LyricImportReport(const QList<LyricImport::FileResult> &results, QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }
    // The notes column of a result: the outcome, then the reason or the changes.
    static QString noteText(const LyricImport::FileResult &result);

private:
    QTreeWidget *m_list;
};
