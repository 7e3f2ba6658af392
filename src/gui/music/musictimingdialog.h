// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/music/timingsession.h"

#include <QDialog>

class AppSettings;
class MusicPlayer;
class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QTableWidget;
class QTimer;
class QVBoxLayout;
class Song;
class TimingBar;

// Times a song's screens while its music plays: the user presses "Zapamiętaj czas" at every
// screen change. OK writes the times into the song and the chosen file into the music map;
// every way out closes the player.
class MusicTimingDialog : public QDialog
{
    Q_OBJECT
public:
    // The music list comes from settings' "LastMusicDir"; player outlives the dialog.
    MusicTimingDialog(Song &song, MusicPlayer &player, AppSettings &settings, QWidget *parent = nullptr);
    ~MusicTimingDialog() override;

    const TimingSession &session() const { return m_session; }
    // Whether OK changed the song.
    bool songChanged() const { return m_songChanged; }

    // The 50 ms timer's work, also called by tests: follows the player's position.
    void tick();

    void accept() override;
    void done(int result) override;

private:
    // The rows of the window, top to bottom.
    QHBoxLayout *buildMusicRow();
    QGroupBox *buildInstructions();
    void buildScreenRows(QVBoxLayout *layout);
    QHBoxLayout *buildPositionRow();
    QHBoxLayout *buildControlRow();
    QHBoxLayout *buildListRow();
    void connectControls();
    void fillMusicList();
    void chooseMusic(int index);
    void setControlsEnabled(bool on);
    void updateButtons();
    void changeMode(TimingSession::Mode requested);
    void showMode();
    void record();
    void zero();
    void jumpTo(int tenths);
    void applyVolume();
    void showNotice(const QString &text);
    void redisplay();
    void showPosition();
    QString chosenFile() const;
    void closePlayer();

    Song &m_song;
    MusicPlayer &m_player;
    AppSettings &m_settings;
    TimingSession m_session;
    QString m_musicDir;
    bool m_fileOpen = false;
    bool m_songChanged = false;
    bool m_noticeShown = false;

    QComboBox *m_music;
    QListWidget *m_screens[5] = {};
    QSlider *m_position;
    QLabel *m_positionText;
    QLabel *m_lengthText;
    QButtonGroup *m_modes;
    QPushButton *m_record;
    QPushButton *m_zero;
    QPushButton *m_mute[2] = {};
    QSlider *m_volume;
    QTableWidget *m_list;
    TimingBar *m_bar;
    QTimer *m_timer;
};
