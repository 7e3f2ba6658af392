// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/playlistediting.h"
#include "core/model/song.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ScreenPreview;

// Shows a song or slide stanza by stanza and asks what of it goes into the playlist: the whole
// song in its sequence, one stanza, or a range of stanzas. loadSong() must succeed before exec().
class InsertSongDialog : public QDialog
{
    Q_OBJECT
public:
    InsertSongDialog(const QString &path, bool slide, QWidget *parent = nullptr);

    // Reads the file (never rewriting it); false when it cannot be read.
    bool loadSong();
    const Song &song() const { return m_song; }
    // Valid after OK: the mode, the stanza with the refrain flag, the range, the brightness.
    PlaylistEditing::InsertChoice choice() const { return m_choice; }

    int selectedStanza() const { return m_stanza; }
    void nextStanza();
    void previousStanza();

    void accept() override;

private:
    void showSelection();
    void updateModeControls();
    int mode() const;

    QString m_path;
    bool m_slide;
    Song m_song;
    int m_stanza = 1;
    int m_screen = 1;
    PlaylistEditing::InsertChoice m_choice;

    QLineEdit *m_title;
    QLineEdit *m_number;
    QLineEdit *m_stanzaCount;
    QLabel *m_stanzaLabel;
    QPushButton *m_previousStanza;
    QPushButton *m_nextStanza;
    QLineEdit *m_stanzaCounter;
    ScreenPreview *m_preview;
    QRadioButton *m_whole;
    QRadioButton *m_one;
    QRadioButton *m_range;
    QLineEdit *m_from;
    QLineEdit *m_to;
};
