// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/itemname.h"
#include "core/model/song.h"
#include "gui/editor/songeditorlink.h"

#include <QHash>
#include <QWidget>

class LedMatrix;
class LibraryPanel;
class MainWindow;
class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class SequenceList;
class TitleEdit;

// The song editor: one song or slide of the card, typed screen by screen on the LED matrix,
// with its stanzas, refrain and sequence, saved into the card's groups or its slide folder.
// A song counts as changed when, with the shown screen stored, it differs from the state it had
// when it was opened, saved or begun.
class SongEditorPage : public QWidget, public SongEditorLink
{
    Q_OBJECT
public:
    // frame may be null (the page alone); then no menu command or close guard is wired.
    SongEditorPage(LibraryPanel *panel, MainWindow *frame, QWidget *parent = nullptr);

    // --- SongEditorLink ---
    Song &editedSong() override { return m_song; }
    void storeScreen() override;
    void showScreen(int stanza, int screen) override;

    const Song &song() const { return m_song; }
    LedMatrix *matrix() const { return m_matrix; }
    SequenceList *sequenceList() const { return m_sequence; }
    QLineEdit *numberEdit() const { return m_number; }
    TitleEdit *titleEdit() const { return m_title; }
    QString stanzaCounter() const;
    QString screenCounter() const;

    // Stores the shown screen, then compares with the state at open, save or new.
    bool isModified();
    // Asks textId (Yes / No / Cancel) when the song is modified. True when the caller may go on:
    // nothing to save, No, or Yes and the save succeeded.
    bool offerSave(int textId, int captionId);
    // Starts a new song after offering to save the current one.
    void newSong();
    // Starts a new song without asking: the caller has offered to save the current one.
    void startNewSong();
    // Opens a song or slide file after offering to save the current one; false when it did not
    // open. openSongAt then shows the screen and puts the cursor on a line of it.
    bool openSong(const QString &path);
    bool openSongAt(const QString &path, int stanza, int screen, int line);
    bool save();
    bool saveAsSlide();

    // --- the commands of the buttons and the matrix menu ---
    void previousStanza();
    void nextStanza();
    void previousScreen();
    void nextScreen();
    void addStanza();
    void deleteStanza();
    void addScreen();
    void deleteScreen();
    void clearScreen();
    void duplicateScreen();
    void setRefrain(bool on);
    void checkNumber();
    void toggleGrid();
    void showPalette();
    void openStructure();
    void importText();

    // --- the sequence list; row -1 means no selected item ---
    void insertStanzaEntry(int row);
    void insertRefrainEntry(int row);
    void deleteEntry(int row);
    void moveEntry(int from, int to);
    void selectEntry(int row);

    QMenu *createMatrixMenu();
    QMenu *createSequenceMenu();
    void setBoardSize(int columns, int rows);

    // The tree moved or deleted a file; the open song follows.
    void fileMoved(const QString &from, const QString &to);
    void fileDeleted(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QWidget *buildForm();
    QToolButton *iconButton(const QString &name, const QIcon &icon, int tipId);
    QPushButton *textButton(const QString &name, int textId, int tipId);
    void wirePanel(MainWindow *frame);
    bool loadSong(const QString &path);
    // After open, save and new: the state later edits are compared with.
    void takeSnapshot() { m_snapshot = m_song; }
    void showSongFields();
    void showCurrent();
    void refreshCounters();
    void refreshSequence(int select = -1);
    void updatePalette();
    bool isSlide() const { return m_song.kind() == SongKind::Slide; }
    // Frames a change of the position: store the screen, change, show the screen.
    template <typename Change>
    void step(Change change);
    // The directory a save writes into, asking for the group of a new song; empty when cancelled.
    QString saveDirectory(ItemKind kind);
    bool writeSong(Song &song, ItemKind kind, const QString &directory);
    void refreshLibraryShowing(const QString &path);

    LibraryPanel *m_panel;
    MainWindow *m_frame;
    Song m_song;
    Song m_snapshot;

    LedMatrix *m_matrix;
    QLineEdit *m_number;
    TitleEdit *m_title;
    QLineEdit *m_stanzaCounter;
    QLineEdit *m_screenCounter;
    QCheckBox *m_refrain;
    SequenceList *m_sequence;
    QHash<QString, QAbstractButton *> m_buttons;
    // Disabled while a slide is open.
    QList<QWidget *> m_songOnly;
};
