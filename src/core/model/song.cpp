// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/song.h"

void Song::markSaved()
{
    m_savedNumber = m_number;
    m_savedTitle = m_title;
    m_dirty = false;
}

const Screen *Song::screenAt(int stanza, int screen) const
{
    if (stanza < 0 || stanza >= m_stanzas.size())
        return nullptr;
    const QList<Screen> &screens = m_stanzas[stanza].screens;
    if (screen < 0 || screen >= screens.size())
        return nullptr;
    return &screens[screen];
}

Screen *Song::screenAt(int stanza, int screen)
{
    if (stanza < 0 || stanza >= m_stanzas.size())
        return nullptr;
    QList<Screen> &screens = m_stanzas[stanza].screens;
    if (screen < 0 || screen >= screens.size())
        return nullptr;
    return &screens[screen];
}

bool Song::cursorValid() const
{
    return screenAt(m_currentStanza, m_currentScreen) != nullptr;
}

int Song::screenCount(int stanza) const
{
    return stanza >= 0 && stanza < m_stanzas.size() ? int(m_stanzas[stanza].screens.size()) : 0;
}

QString Song::screenText(int stanza, int screen) const
{
    const Screen *s = screenAt(stanza, screen);
    return s ? s->text : QString();
}

QString Song::lineText(int stanza, int screen, int line) const
{
    const Screen *s = screenAt(stanza, screen);
    if (!s || line < 0 || line >= kScreenLines)
        return QString();
    return s->text.mid(line * kLineChars, kLineChars);
}

int Song::screenTime(int stanza, int screen) const
{
    const Screen *s = screenAt(stanza, screen);
    return s ? s->time : 0;
}

bool Song::isScreenBlank(int stanza, int screen) const
{
    const Screen *s = screenAt(stanza, screen);
    if (!s)
        return false;
    for (QChar c : s->text) {
        if (c != u' ')
            return false;
    }
    return true;
}

QString Song::currentScreenText()
{
    if (!cursorValid()) {
        m_currentStanza = 0;
        m_currentScreen = 0;
        return QString();
    }
    return screenText(m_currentStanza, m_currentScreen);
}

int Song::currentScreenTime()
{
    if (!cursorValid()) {
        m_currentStanza = 0;
        m_currentScreen = 0;
        return 0;
    }
    return screenTime(m_currentStanza, m_currentScreen);
}

int Song::stanzaOfEntry(int entry) const
{
    const int position = entry == RefrainMarker ? m_refrainIndex : entry;
    return position >= 1 && position <= m_stanzas.size() ? position - 1 : -1;
}

int Song::performanceScreenCount() const
{
    return screensBeforeSequencePosition(int(m_sequence.size()));
}

int Song::screensBeforeSequencePosition(int position) const
{
    int total = 0;
    const int end = qMin(position, int(m_sequence.size()));
    for (int p = 0; p < end; ++p)
        total += screenCount(stanzaOfEntry(m_sequence[p]));
    return total;
}

int Song::performanceSequencePosition(int index) const
{
    if (index < 0)
        return -1;
    int total = 0;
    for (int p = 0; p < m_sequence.size(); ++p) {
        const int count = screenCount(stanzaOfEntry(m_sequence[p]));
        if (total + count > index)
            return p;
        total += count;
    }
    return -1;
}

SongPosition Song::performancePosition(int index) const
{
    const int p = performanceSequencePosition(index);
    if (p < 0)
        return {};
    const int stanza = stanzaOfEntry(m_sequence[p]);
    return {stanza, index - screensBeforeSequencePosition(p)};
}

QList<SongPosition> Song::performancePositions() const
{
    QList<SongPosition> positions;
    for (const int entry : m_sequence) {
        const int stanza = stanzaOfEntry(entry);
        for (int screen = 0, n = screenCount(stanza); screen < n; ++screen)
            positions.append({stanza, screen});
    }
    return positions;
}

QString Song::performanceScreenText(int index) const
{
    const SongPosition at = performancePosition(index);
    return at.stanza < 0 ? QString() : screenText(at.stanza, at.screen);
}

int Song::performanceScreenTime(int index) const
{
    const SongPosition at = performancePosition(index);
    return at.stanza < 0 ? 0 : screenTime(at.stanza, at.screen);
}

QString Song::normalizedScreenText(const QString &text)
{
    if (text.size() == kScreenChars)
        return text;
    if (text.size() > kScreenChars)
        return text.left(kScreenChars);
    return text.leftJustified(kScreenChars, u' ');
}

void Song::setScreenText(int stanza, int screen, const QString &text)
{
    if (Screen *s = screenAt(stanza, screen))
        s->text = normalizedScreenText(text);
}

void Song::setScreenTime(int stanza, int screen, int time)
{
    if (Screen *s = screenAt(stanza, screen))
        s->time = time;
}

void Song::copyScreenText(int stanza, int from, int to)
{
    const Screen *source = screenAt(stanza, from);
    Screen *target = screenAt(stanza, to);
    if (source && target)
        target->text = source->text;
}

void Song::appendStanza()
{
    m_stanzas.append(Stanza());
    m_currentStanza = int(m_stanzas.size()) - 1;
    m_currentScreen = 0;
}

int Song::insertStanzaAfterCurrent()
{
    Stanza stanza;
    stanza.screens.append(Screen());
    int index;
    if (m_currentStanza + 1 >= m_stanzas.size()) {
        m_stanzas.append(stanza);
        index = int(m_stanzas.size()) - 1;
    } else {
        index = m_currentStanza + 1;
        m_stanzas.insert(index, stanza);
    }
    // The refrain keeps its stanza when the new one goes in before it.
    if (m_refrainIndex > index)
        ++m_refrainIndex;
    m_currentStanza = index;
    m_currentScreen = 0;
    return index;
}

void Song::addScreenAfterCurrent()
{
    if (m_currentStanza < 0 || m_currentStanza >= m_stanzas.size())
        return;
    QList<Screen> &screens = m_stanzas[m_currentStanza].screens;
    if (screens.isEmpty() || m_currentScreen + 1 >= screens.size()) {
        screens.append(Screen());
        m_currentScreen = int(screens.size()) - 1;
    } else {
        m_currentScreen += 1;
        screens.insert(m_currentScreen, Screen());
    }
}

void Song::appendScreen(QString text, int time)
{
    if (m_stanzas.isEmpty())
        return;
    QList<Screen> &screens = m_stanzas.last().screens;
    screens.append(Screen{normalizedScreenText(std::move(text)), time});
    m_currentStanza = int(m_stanzas.size()) - 1;
    m_currentScreen = int(screens.size()) - 1;
}

void Song::deleteCurrentScreen()
{
    if (!cursorValid())
        return;
    m_stanzas[m_currentStanza].screens.removeAt(m_currentScreen);
    if (m_currentScreen > 0)
        --m_currentScreen;
}

void Song::deleteCurrentStanza()
{
    if (m_currentStanza < 0 || m_currentStanza >= m_stanzas.size())
        return;
    m_stanzas.removeAt(m_currentStanza);
    if (m_currentStanza > 0)
        --m_currentStanza;
    m_currentScreen = 0;
}

void Song::setDefaultSequence()
{
    m_sequence.clear();
    for (int p = 1; p <= m_stanzas.size(); ++p) {
        if (p != m_refrainIndex)
            m_sequence.append(p);
    }
}

void Song::setAlternatingSequence()
{
    m_sequence.clear();
    for (int p = 1; p <= m_stanzas.size(); ++p) {
        if (p == m_refrainIndex)
            continue;
        m_sequence.append(p);
        if (m_refrainIndex != 0)
            m_sequence.append(RefrainMarker);
    }
}

void Song::removeRefrain()
{
    m_refrainIndex = 0;
    setDefaultSequence();
}

void Song::makeCurrentStanzaRefrain()
{
    m_refrainIndex = m_currentStanza + 1;
    setAlternatingSequence();
}

bool Song::nextStanza()
{
    if (hasNextStanza())
        ++m_currentStanza;
    m_currentScreen = 0;
    return hasNextStanza();
}

bool Song::previousStanza()
{
    if (m_currentStanza > 0)
        --m_currentStanza;
    m_currentScreen = 0;
    return hasPreviousStanza();
}

bool Song::nextScreen()
{
    if (hasNextScreen())
        ++m_currentScreen;
    return hasNextScreen();
}

bool Song::previousScreen()
{
    if (m_currentScreen > 0)
        --m_currentScreen;
    return hasPreviousScreen();
}

void Song::setCursor(int stanza, int screen)
{
    if (stanza < 0 || stanza >= m_stanzas.size())
        return;
    if (screen != 0 && (screen < 0 || screen >= m_stanzas.at(stanza).screens.size()))
        return;
    m_currentStanza = stanza;
    m_currentScreen = screen;
}

QString Song::selectScreen(int stanza, int screen)
{
    const Screen *s = screenAt(stanza, screen);
    if (!s)
        return QString();
    m_currentStanza = stanza;
    m_currentScreen = screen;
    return s->text;
}

void Song::clear()
{
    m_stanzas.clear();
    m_sequence.clear();
    m_refrainIndex = 0;
    m_currentStanza = 0;
    m_currentScreen = 0;
    m_savedNumber = 0;
    m_savedTitle.clear();
    m_dirty = false;
    m_hasTimings = false;
}

bool Song::sameContent(const Song &other) const
{
    if (m_sequence != other.m_sequence || m_refrainIndex != other.m_refrainIndex || m_charset != other.m_charset
        || m_hasTimings != other.m_hasTimings || m_stanzas.size() != other.m_stanzas.size())
        return false;
    for (qsizetype i = 0; i < m_stanzas.size(); ++i) {
        const QList<Screen> &mine = m_stanzas[i].screens;
        const QList<Screen> &theirs = other.m_stanzas[i].screens;
        if (mine.size() != theirs.size())
            return false;
        for (qsizetype j = 0; j < mine.size(); ++j) {
            // Times reach the file only with the timing flag set.
            if (mine[j].text != theirs[j].text || (m_hasTimings && mine[j].time != theirs[j].time))
                return false;
        }
    }
    return true;
}
