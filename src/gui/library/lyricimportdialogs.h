// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/lyrics/lyricimport.h"

#include <QDialog>

class QComboBox;
class QTreeWidget;

// Chooses the songbook whose entries number the imported songs, or none (the first free numbers).
class SongbookDialog : public QDialog
{
    Q_OBJECT
public:
    SongbookDialog(const QStringList &songbooks, QWidget *parent = nullptr);

    // The chosen songbook; empty for none.
    QString songbook() const;
    QComboBox *songbookList() const { return m_list; }

private:
    QComboBox *m_list;
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
