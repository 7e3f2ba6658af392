// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QWidget>

class LedMatrix;
class QAbstractButton;
class QBoxLayout;
class QCheckBox;
class QHBoxLayout;
class QIcon;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;
class SequenceList;
class TitleEdit;

// The song editor's controls and their layout: number and title, the tool row, the LED matrix
// and the stanza, screen and sequence column. The page wires them to the song.
class SongEditorForm : public QWidget
{
    Q_OBJECT
public:
    explicit SongEditorForm(QWidget *parent = nullptr);

    LedMatrix *matrix() const { return m_matrix; }
    QLineEdit *numberEdit() const { return m_number; }
    TitleEdit *titleEdit() const { return m_title; }
    QLineEdit *stanzaCounter() const { return m_stanzaCounter; }
    QLineEdit *screenCounter() const { return m_screenCounter; }
    QCheckBox *refrainBox() const { return m_refrain; }
    SequenceList *sequenceList() const { return m_sequence; }
    // The open song's name and, while it has unsaved changes, "*" after it.
    QLabel *heading() const { return m_heading; }
    // A button by object name ("stanzaAdd", "alignLeft", ...); null for an unknown name.
    QAbstractButton *button(const QString &name) const { return m_buttons.value(name); }
    // The controls that have no work while a slide is open.
    const QList<QWidget *> &songOnly() const { return m_songOnly; }

    // Puts the stanza, screen and sequence column beside the matrix when width holds both,
    // otherwise under it: the matrix keeps its size and nothing needs a sideways scroll.
    void fitWidth(int width);

private:
    // The number and title, the matrix, the counters, the refrain box and the sequence list.
    void createFields();
    QHBoxLayout *buildTopRow();
    // The stanza and screen groups: "<<" counter ">>", then their commands.
    QVBoxLayout *buildNavigation();
    QHBoxLayout *buildToolRow();
    // Beside or under the matrix: the navigation, the sequence list and "Import".
    void buildSide(QVBoxLayout *navigation);
    QToolButton *iconButton(const QString &name, const QIcon &icon, int tipId);
    QPushButton *textButton(const QString &name, int textId, int tipId);

    LedMatrix *m_matrix;
    QLineEdit *m_number;
    TitleEdit *m_title;
    QLineEdit *m_stanzaCounter;
    QLineEdit *m_screenCounter;
    QCheckBox *m_refrain;
    SequenceList *m_sequence;
    QLabel *m_heading;
    QHash<QString, QAbstractButton *> m_buttons;
    QList<QWidget *> m_songOnly;
    QBoxLayout *m_middle = nullptr;
    QBoxLayout *m_side = nullptr;
    QBoxLayout *m_navigation = nullptr;
};
