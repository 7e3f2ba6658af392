// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The options of the card wizard's second step, one widget per action that has any.

// Import: the folder the songs come from, typed or chosen with "...".
class ImportFolderPage : public QWidget
{
    Q_OBJECT
public:
    explicit ImportFolderPage(QWidget *parent);
    QString folder() const;
    void setFolder(const QString &folder);
    void showPage(bool shown, bool enabled);

signals:
    void changed();
    void browseRequested();

private:
    QLabel *m_label;
    QLineEdit *m_edit;
    QPushButton *m_browseButton;
};

// Write: whether the card is backed up first.
class WriteOptionsPage : public QWidget
{
public:
    explicit WriteOptionsPage(QWidget *parent);
    bool backup() const;
    // The folder the backup goes to, named under the box while it is ticked.
    void setBackupFolder(const QString &folder);
    void showPage(bool shown, bool enabled);

private:
    QCheckBox *m_backupBox;
    QLabel *m_note;
    bool m_shown = true;
};

// Append: the categories appended (songs, playlists, slides).
class AppendOptionsPage : public QWidget
{
    Q_OBJECT
public:
    explicit AppendOptionsPage(QWidget *parent);
    // The chosen categories as CardSongs | CardPlaylists | CardSlides bits.
    int categories() const;
    void showPage(bool shown, bool enabled);

signals:
    void changed();

private:
    QCheckBox *m_boxes[3] = {};
};
