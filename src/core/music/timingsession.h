// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/song.h"

#include <QList>
#include <QString>

// The recording of a song's screen times against its music, without widgets or player: the
// screens in performance order with their durations (tenths of a second, 0 = not recorded),
// the screen on show, the last recorded mark and the playing position. The dialog feeds it the
// player's position and turns its mode changes into player commands.
class TimingSession
{
public:
    enum class Mode { Play, Pause, Stop };
    enum class RecordResult {
        Recorded,
        Negative, // the position lies before the last mark: nothing stored, the mark moves
        Nothing,  // past the last screen, the screen already timed, or no time has passed
    };

    explicit TimingSession(const Song &song);

    int screenCount() const { return int(m_durations.size()); }
    const QList<int> &durations() const { return m_durations; }
    // Per screen: stanza index (114 for the refrain) in the high 16 bits, screen index in the low.
    const QList<quint32> &codes() const { return m_codes; }
    // The screen's 200 characters; empty outside the sequence.
    QString screenText(int index) const;
    // Sum of the durations before index (of all screens for screenCount()).
    int offset(int index) const;

    int currentScreen() const { return m_current; }
    int lastMark() const { return m_lastMark; }
    int position() const { return m_position; }
    Mode mode() const { return m_mode; }
    // The current screen exists and has no duration yet, and the music runs or is paused.
    bool canRecord() const;

    // Pause from Stop stays Stop; Play from Stop starts at 0; Stop goes back to 0. Returns the mode now.
    Mode changeMode(Mode requested);
    // The player's position in ms while playing: moves the position, and passes every timed
    // screen whose scheduled end lies before it. False when the current screen did not change.
    bool tick(qint64 positionMs);
    // The current screen's duration = position - lastMark, given to every occurrence of the
    // same stanza screen; then the next screen is current.
    RecordResult record();
    // The position moved to tenths: the current screen is the first that is untimed or ends
    // after it, and the last mark its start.
    void jump(int tenths);
    // "Zeruj czasy": Stop at 0, every duration 0.
    void zero();

    // Writes the durations into the song's screens; true (and the song dirty) when anything changed.
    bool applyTo(Song &song) const;

    // "hh:mm:ss.t0" for a time in tenths of a second.
    static QString timeText(int tenths);

private:
    QList<SongPosition> m_positions;
    QStringList m_texts;
    QList<int> m_durations;
    QList<quint32> m_codes;
    int m_current = 0;
    int m_lastMark = 0;
    int m_position = 0;
    Mode m_mode = Mode::Stop;
};
