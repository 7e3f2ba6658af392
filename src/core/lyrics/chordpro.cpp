// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/chordpro.h"

#include "core/lyrics/lyricsong.h"
#include "core/lyrics/plainlyrics.h"

#include <QHash>
#include <QRegularExpression>

namespace ChordPro {

namespace {

struct Directive
{
    QString name; // lower case, long form: "start_of_chorus"
    QString value;
};

bool directiveOf(const QString &line, Directive *directive)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'{') || !trimmed.endsWith(u'}'))
        return false;
    const QString inner = trimmed.mid(1, trimmed.size() - 2);
    static const QRegularExpression separator(QStringLiteral("[:\\s]"));
    const qsizetype colon = inner.indexOf(separator);
    QString name = (colon < 0 ? inner : inner.left(colon)).trimmed().toLower();
    static const QHash<QString, QString> shortForms{
        {QStringLiteral("t"), QStringLiteral("title")},
        {QStringLiteral("st"), QStringLiteral("subtitle")},
        {QStringLiteral("soc"), QStringLiteral("start_of_chorus")},
        {QStringLiteral("eoc"), QStringLiteral("end_of_chorus")},
        {QStringLiteral("sov"), QStringLiteral("start_of_verse")},
        {QStringLiteral("eov"), QStringLiteral("end_of_verse")},
        {QStringLiteral("sob"), QStringLiteral("start_of_bridge")},
        {QStringLiteral("eob"), QStringLiteral("end_of_bridge")},
        {QStringLiteral("sot"), QStringLiteral("start_of_tab")},
        {QStringLiteral("eot"), QStringLiteral("end_of_tab")},
        {QStringLiteral("sog"), QStringLiteral("start_of_grid")},
        {QStringLiteral("eog"), QStringLiteral("end_of_grid")},
    };
    // "{start_of_chorus-de}" and the like: a selector for one instrument or language
    name = name.section(u'-', 0, 0);
    directive->name = shortForms.value(name, name);
    directive->value = colon < 0 ? QString() : inner.mid(colon + 1).trimmed();
    return true;
}

// A lyric line without its chords ("[Am]") and the blanks they leave.
QString lyricOf(const QString &line)
{
    static const QRegularExpression chord(QStringLiteral("\\[[^\\]]*\\]"));
    return QString(line).remove(chord).simplified();
}

class Reader
{
public:
    explicit Reader(LyricSong &song) : m_song(song) {}

    void line(const QString &raw)
    {
        if (raw.startsWith(u'#'))
            return;
        Directive d;
        if (directiveOf(raw, &d)) {
            directive(d);
            return;
        }
        if (m_skipping)
            return;
        const QString text = lyricOf(raw);
        if (text.isEmpty() && raw.trimmed().isEmpty()) {
            if (m_section.isEmpty())
                m_open = false; // a blank line ends a paragraph outside a section
            else if (m_open)
                m_blockDone = true; // inside a section it starts a new screen
            return;
        }
        if (text.isEmpty())
            return; // a line of chords only
        if (!m_open)
            begin(QStringLiteral("v"));
        if (m_blockDone) {
            m_song.verses.last().blocks.append(lyricBlock({}));
            m_blockDone = false;
        }
        m_song.verses.last().blocks.last().lines.append(text);
    }

    void finish()
    {
        if (!m_hadChorusCall && m_choruses == 1)
            m_song.verseOrder.clear(); // the mapping sings a lone chorus after every verse
    }

private:
    void directive(const Directive &d)
    {
        if (d.name == u"title" && m_song.titles.isEmpty()) {
            m_song.titles.append({d.value.simplified(), QString()});
        } else if (d.name.startsWith(u"start_of_")) {
            const QString kind = d.name.mid(9);
            m_open = false;
            if (kind == u"chorus" || kind == u"verse" || kind == u"bridge") {
                m_section = kind;
                begin(kind == u"chorus"       ? QStringLiteral("c")
                          : kind == u"bridge" ? QStringLiteral("b")
                                              : QStringLiteral("v"));
            } else {
                m_skipping = true; // tab, grid, abc, lilypond, ...: no lyrics
            }
        } else if (d.name.startsWith(u"end_of_")) {
            m_section.clear();
            m_skipping = false;
            m_open = false;
        } else if (d.name == u"chorus") {
            m_hadChorusCall = true;
            m_open = false;
            if (m_choruses > 0)
                m_song.verseOrder << m_lastChorus;
        }
        // comments, metadata and formatting directives leave nothing on the board
    }

    void begin(const QString &type)
    {
        const int number = type == u"c" ? ++m_choruses : type == u"b" ? ++m_bridges : ++m_verses;
        const QString name = type + QString::number(number);
        if (type == u"c")
            m_lastChorus = name;
        m_song.verses.append({name, {lyricBlock({})}});
        m_song.verseOrder << name;
        m_open = true;
        m_blockDone = false;
    }

    LyricSong &m_song;
    QString m_section;
    QString m_lastChorus;
    bool m_open = false;
    bool m_blockDone = false;
    bool m_skipping = false;
    bool m_hadChorusCall = false;
    int m_verses = 0;
    int m_choruses = 0;
    int m_bridges = 0;
};

} // namespace

bool looksLike(const QString &text)
{
    static const QRegularExpression directive(
        QStringLiteral("^\\s*\\{\\s*(title|t|subtitle|st|soc|sov|sob|start_of_[a-z]+|artist|key|capo|comment|c|"
                       "ci|new_song|ns)\\s*[:}\\s-]"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    return directive.match(text).hasMatch();
}

void read(const QString &text, LyricSong &song)
{
    song = LyricSong();
    Reader reader(song);
    for (const QString &line : PlainLyrics::lines(text))
        reader.line(line);
    reader.finish();
    // sections left without a line (a chord-only verse) are no stanzas
    QStringList empty;
    QList<LyricVerse> kept;
    for (LyricVerse &verse : song.verses) {
        QList<LyricBlock> blocks;
        for (LyricBlock &block : verse.blocks) {
            if (!block.lines.isEmpty())
                blocks.append(block);
        }
        if (blocks.isEmpty())
            empty << verse.name;
        else
            kept.append({verse.name, blocks});
    }
    song.verses = kept;
    for (const QString &name : std::as_const(empty))
        song.verseOrder.removeAll(name);
}

} // namespace ChordPro
