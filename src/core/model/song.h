// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/charsetmode.h"

#include <QList>
#include <QString>

// Board geometry as stored in every song and slide file, whatever the board is set to show.
inline constexpr int kLineChars = 20;
inline constexpr int kScreenLines = 10;
inline constexpr int kScreenChars = kLineChars * kScreenLines;
// The editor refuses to go beyond these; the file reader drops what lies beyond them.
inline constexpr int kMaxStanzas = 32;
inline constexpr int kMaxScreensPerStanza = 8;
// A sequence entry naming the refrain rather than a stanza position (the character 'r').
inline constexpr int RefrainMarker = 114;

enum class SongKind : int { Song = 0, Slide = 1, NewSong = 2 };

// One board page: 10 lines of 20 characters, row-major, space-padded, no line breaks.
struct Screen
{
    QString text = QString(kScreenChars, u' ');
    int time = 0; // tenths of a second; 0 when none recorded

    bool operator==(const Screen &) const = default;
};

struct Stanza
{
    QList<Screen> screens;

    bool operator==(const Stanza &) const = default;
};

// Where a performance index lands: 0-based stanza and screen; stanza -1 past the end.
struct SongPosition
{
    int stanza = -1;
    int screen = 0;

    bool operator==(const SongPosition &) const = default;
};

// A song or a slide: stanzas of screens, an optional refrain and the order they are sung in.
// Limits are not enforced here: the editor asks can...() before it edits.
class Song
{
public:
    // --- plain fields ---
    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }
    int number() const { return m_number; }
    void setNumber(int number) { m_number = number; }
    CharsetMode charset() const { return m_charset; }
    void setCharset(CharsetMode charset) { m_charset = charset; }
    SongKind kind() const { return m_kind; }
    void setKind(SongKind kind) { m_kind = kind; }
    bool isDirty() const { return m_dirty; }
    void setDirty(bool dirty) { m_dirty = dirty; }
    bool hasTimings() const { return m_hasTimings; }
    void setHasTimings(bool hasTimings) { m_hasTimings = hasTimings; }
    // Number and title as last read or written; a difference means a rename is pending.
    int savedNumber() const { return m_savedNumber; }
    QString savedTitle() const { return m_savedTitle; }
    // Records the current number and title as saved and clears dirty.
    void markSaved();

    const QList<int> &sequence() const { return m_sequence; }
    void setSequence(const QList<int> &sequence) { m_sequence = sequence; }
    int refrainIndex() const { return m_refrainIndex; } // 1-based; 0 = no refrain
    void setRefrainIndex(int index) { m_refrainIndex = index; }
    const QList<Stanza> &stanzas() const { return m_stanzas; }
    // Replaces all stanzas; the cursor is left to the caller.
    void setStanzas(const QList<Stanza> &stanzas) { m_stanzas = stanzas; }

    int currentStanza() const { return m_currentStanza; }
    int currentScreen() const { return m_currentScreen; }

    // --- queries ---
    int stanzaCount() const { return int(m_stanzas.size()); }
    int screenCount(int stanza) const;
    int currentScreenCount() const { return screenCount(m_currentStanza); }
    int sequenceLength() const { return int(m_sequence.size()); }
    bool sequenceHasRefrain() const { return m_sequence.contains(RefrainMarker); }
    bool isCurrentStanzaRefrain() const { return m_refrainIndex != 0 && m_currentStanza + 1 == m_refrainIndex; }

    // Out-of-range indices give an empty text, time 0 and "not blank".
    QString screenText(int stanza, int screen) const;
    QString lineText(int stanza, int screen, int line) const;
    int screenTime(int stanza, int screen) const;
    bool isScreenBlank(int stanza, int screen) const;
    bool isCurrentScreenBlank() const { return isScreenBlank(m_currentStanza, m_currentScreen); }
    // A cursor out of range is reset to (0, 0) and an empty text / 0 returned.
    QString currentScreenText();
    int currentScreenTime();

    bool canAddStanza() const { return stanzaCount() < kMaxStanzas; }
    bool canAddScreen() const { return currentScreenCount() < kMaxScreensPerStanza; }
    bool canDeleteStanza() const { return stanzaCount() > 1; }
    bool canDeleteScreen() const { return currentScreenCount() > 1; }
    bool hasNextStanza() const { return m_currentStanza + 1 < stanzaCount(); }
    bool hasPreviousStanza() const { return m_currentStanza > 0; }
    bool hasNextScreen() const { return m_currentScreen + 1 < currentScreenCount(); }
    bool hasPreviousScreen() const { return m_currentScreen > 0; }

    // --- the song as it is sung: the sequence walked entry by entry ---
    // 0-based stanza index a sequence entry names, or -1: entries outside 1..stanza count and a
    // refrain marker on a song without refrain name no stanza.
    int stanzaOfEntry(int entry) const;
    int performanceScreenCount() const;
    int screensBeforeSequencePosition(int position) const;
    QString performanceScreenText(int index) const;
    int performanceScreenTime(int index) const;
    SongPosition performancePosition(int index) const;
    int performanceSequencePosition(int index) const;
    // Every screen in performance order, in one walk of the sequence (performancePosition for
    // each index would walk it again for every screen).
    QList<SongPosition> performancePositions() const;

    // --- edits; the caller sets dirty ---
    // Texts are cut or space-padded to 200 characters.
    void setScreenText(int stanza, int screen, const QString &text);
    void setCurrentScreenText(const QString &text) { setScreenText(m_currentStanza, m_currentScreen, text); }
    void setScreenTime(int stanza, int screen, int time);
    void setCurrentScreenTime(int time) { setScreenTime(m_currentStanza, m_currentScreen, time); }
    void copyScreenText(int stanza, int from, int to);

    // Empty stanza at the end, cursor on it; the file reader builds songs with it.
    void appendStanza();
    // A stanza with one blank screen after the current one; returns its index. The refrain index
    // follows its stanza; the sequence is left to the caller.
    int insertStanzaAfterCurrent();
    void addScreenAfterCurrent();
    // A screen at the end of the last stanza, cursor on it: the file reader's one step per screen.
    void appendScreen(QString text, int time = 0);
    void deleteCurrentScreen();
    // Leaves refrainIndex and the sequence to the caller.
    void deleteCurrentStanza();

    // 1, 3, 4 for four stanzas with the refrain second.
    void setDefaultSequence();
    // 1, r, 3, r, 4, r for the same song; without refrain as setDefaultSequence().
    void setAlternatingSequence();
    void removeRefrain();
    void makeCurrentStanzaRefrain();

    // Each returns whether a further move in that direction is possible.
    bool nextStanza();
    bool previousStanza();
    bool nextScreen();
    bool previousScreen();
    // Moves the cursor to an existing stanza; screen 0 is accepted in a stanza without screens.
    void setCursor(int stanza, int screen);
    // Moves the cursor when (stanza, screen) exists and returns its text; else an empty text.
    QString selectScreen(int stanza, int screen);

    // Drops all content and the saved state; number, title, path, charset and kind stay.
    void clear();

    // Same stanzas, screens, refrain, sequence, charset, timing flag and (with it) times: what a file holds.
    bool sameContent(const Song &other) const;

    // Normalises a text to exactly one screen.
    static QString normalizedScreenText(const QString &text);

private:
    const Screen *screenAt(int stanza, int screen) const;
    Screen *screenAt(int stanza, int screen);
    bool cursorValid() const;

    QList<Stanza> m_stanzas;
    QString m_title;
    QList<int> m_sequence;
    QString m_path;
    int m_number = 0;
    int m_refrainIndex = 0;
    CharsetMode m_charset = CharsetMode::Latin;
    SongKind m_kind = SongKind::Song;
    int m_savedNumber = 0;
    QString m_savedTitle;
    bool m_dirty = false;
    bool m_hasTimings = false;
    int m_currentStanza = 0;
    int m_currentScreen = 0;
};
