// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/editor/matrixtext.h"
#include "core/model/itemname.h"
#include "core/model/song.h"
#include "gui/editor/songcommands.h"
#include "gui/widgets/songeditorlink.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class CharacterPalette;
class CommandRegistry;
class LedMatrix;
class QAbstractButton;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QScrollArea;
class QUndoStack;
class SequenceList;
class SongEditorForm;
class TitleEdit;
class Workspace;

// The song editor: one song or slide of the card, typed screen by screen on the LED matrix,
// with its stanzas, refrain and sequence, saved into the card's groups or its slide folder.
// Every edit is a command on the open song's undo stack; the song counts as changed exactly
// when the stack is away from its clean state (set at open, save and new).
// Its code: songeditorpage.cpp (layout, wiring, keys), songeditorpagescreens.cpp (editing),
// songeditorpagemenus.cpp (context menus), songeditorpagefiles.cpp (new, open, save).
class SongEditorPage : public QWidget, public SongEditorLink, public SongCommandView
{
    Q_OBJECT
public:
    static constexpr int kUndoLimit = 200;

    // commands and palette may be null (the page alone); then no window command is wired.
    SongEditorPage(Workspace &workspace, CommandRegistry *commands, CharacterPalette *palette,
                   QWidget *parent = nullptr);
    ~SongEditorPage() override;

    // --- SongEditorLink ---
    Song &editedSong() override { return m_song; }
    void storeScreen() override;
    void showScreen(int stanza, int screen) override;

    // --- SongCommandView ---
    Song &commandSong() override { return m_song; }
    void showCommandResult(int cell, bool fields) override;

    const Song &song() const { return m_song; }
    SongEditorForm *form() const { return m_form; }
    LedMatrix *matrix() const { return m_matrix; }
    SequenceList *sequenceList() const { return m_sequence; }
    QLineEdit *numberEdit() const { return m_number; }
    TitleEdit *titleEdit() const { return m_title; }
    QUndoStack *undoStack() const { return m_undo; }
    QString stanzaCounter() const;
    QString screenCounter() const;

    bool isModified() const;
    // The open song's title, else its file's name; empty for a new song without a title.
    QString documentName() const;
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
    // Ctrl+W: offers to save the song as switching to another does, then leaves the page with a
    // new song and shows the playlist page.
    void closeSong();

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
    void align(MatrixText::Alignment alignment);
    void paste();
    void setRefrain(bool on);
    void checkNumber();
    void toggleGrid();
    void showPalette();
    void openStructure();
    void importText();
    void timeToMusic();

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

    // The music timing command on a song: true when it changed the song. Without one the
    // command does nothing.
    using MusicTiming = std::function<bool(QWidget *parent, Song &song)>;
    void setMusicTiming(MusicTiming timing) { m_musicTiming = std::move(timing); }
    // Shows the page and opens a song of the card; stanza < 0 opens it at its start.
    void showSong(const QString &path, int stanza, int screen, int line);

signals:
    // The open song differs from its file, or no longer does.
    void modifiedChanged(bool modified);
    // Another song was opened, begun or saved under another name.
    void documentChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void wireForm();
    void wireWorkspace();
    void wireCommands(CommandRegistry &commands);
    void showPage();
    bool isCurrentPage() const;
    // Ctrl+Enter adds a screen, Ctrl+Shift+Enter a stanza, Ctrl+R turns the refrain on or off,
    // all from the matrix, so a song is typed without leaving the keyboard. True when key is one
    // of them; run carries the command out.
    bool layoutKey(const QKeyEvent &key, bool run);
    // Gives the keyboard to the matrix (when it can take typing), the cursor staying where it is.
    void focusMatrix();
    // The Edit menu's undo and redo entries follow the stack while this page is the current one.
    void updateEditMenu();
    // The page's heading: the song's name, "*" after it while it differs from its file.
    void updateHeading();
    bool loadSong(const QString &path);
    // A song opened or begun: no history, and the song as shown is the clean state.
    void resetHistory();
    // The matrix changed the shown screen: the song takes the text and the stack a command.
    void screenEdited(bool joinable);
    // Frames an edit of the song beyond the shown screen's text: the song before and after
    // it become one command of kind textId, or grow the last one of the same typing run.
    void change(int textId, const std::function<void()> &edit, int mergeId = -1);
    int cursorCell() const;
    void showSongFields();
    void showTitleAndNumber();
    void showCurrent();
    void refreshCounters();
    void refreshSequence(int select = -1);
    void updatePalette();
    bool isSlide() const { return m_song.kind() == SongKind::Slide; }
    // Frames a change of the position: store the screen, change, show the screen.
    void step(const std::function<void()> &change);
    // The directory a save writes into, asking for the group of a new song; empty when cancelled.
    QString saveDirectory(ItemKind kind);
    bool writeSong(Song &song, ItemKind kind, const QString &directory);
    // Whether another file of the card holds number: Keep when none does or the user saves a
    // duplicate, ChooseFree when the user takes a free number from the map.
    enum class TakenNumber { Keep, ChooseFree, Cancel };
    TakenNumber askTakenNumber(ItemKind kind, int number);

    QAbstractButton *button(const QString &name) const;

    Workspace &m_workspace;
    CommandRegistry *m_commands;
    MusicTiming m_musicTiming;
    // Held apart from the window: a page hidden while the window is being destroyed must not call into it.
    QPointer<CharacterPalette> m_palette;
    Song m_song;
    QUndoStack *m_undo;

    QScrollArea *m_scroll;
    SongEditorForm *m_form;
    LedMatrix *m_matrix;
    QLineEdit *m_number;
    TitleEdit *m_title;
    SequenceList *m_sequence;

    // The matrix cursor before the key or palette letter being handled.
    int m_cellBefore = 0;
    // An Enter or a paste key is being handled: its edit starts and ends a typing run.
    bool m_breakTyping = false;
    // Counts the times the title or number field took the focus; one run merges its typing.
    int m_fieldRun = 0;
};
