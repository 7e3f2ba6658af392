// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/songbeamer.h"

#include "core/lyrics/lyricsong.h"
#include "core/lyrics/plainlyrics.h"

#include <QHash>
#include <QRegularExpression>

namespace SongBeamer {

namespace {

constexpr int kMostLanguages = 4;

// The verse name of a heading line ("Vers 2" is "v2", "Refrain" "c"); empty when the line is
// no heading.
QString headingName(const QString &line)
{
    static const QRegularExpression heading(
        QStringLiteral("^(vers|verse|strophe|refrain|chorus|bridge|pre-chorus|pre-refrain|pre-bridge|intro|"
                       "outro|coda|ending|schluss|zwischenspiel|misc|part|teil|unknown|unbekannt)"
                       "(?:\\s+(\\d{1,2})([a-z]?))?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = heading.match(line.trimmed());
    if (!m.hasMatch())
        return {};
    static const QHash<QString, QString> types{
        {QStringLiteral("vers"), QStringLiteral("v")},       {QStringLiteral("verse"), QStringLiteral("v")},
        {QStringLiteral("strophe"), QStringLiteral("v")},    {QStringLiteral("refrain"), QStringLiteral("c")},
        {QStringLiteral("chorus"), QStringLiteral("c")},     {QStringLiteral("bridge"), QStringLiteral("b")},
        {QStringLiteral("pre-chorus"), QStringLiteral("p")}, {QStringLiteral("pre-refrain"), QStringLiteral("p")},
        {QStringLiteral("intro"), QStringLiteral("i")},      {QStringLiteral("outro"), QStringLiteral("e")},
        {QStringLiteral("coda"), QStringLiteral("e")},       {QStringLiteral("ending"), QStringLiteral("e")},
        {QStringLiteral("schluss"), QStringLiteral("e")},
    };
    const QString type = types.value(m.captured(1).toLower(), QStringLiteral("o"));
    return type + m.captured(2) + m.captured(3).toLower();
}

} // namespace

bool looksLike(const QString &text)
{
    static const QRegularExpression header(QStringLiteral("^\\s*#[A-Za-z]+=[^\\n]*\\n"));
    static const QRegularExpression separator(QStringLiteral("^---\\s*$"), QRegularExpression::MultilineOption);
    return header.match(text).hasMatch() && separator.match(text).hasMatch();
}

void read(const QString &text, LyricSong &song)
{
    song = LyricSong();
    const QStringList lines = PlainLyrics::lines(text);
    qsizetype at = 0;
    int languages = 1;
    QStringList languageNames;
    QStringList order;
    for (; at < lines.size() && lines[at] != u"---"; ++at) {
        const QString &line = lines[at];
        if (!line.startsWith(u'#') || !line.contains(u'='))
            continue;
        const QString key = line.mid(1).section(u'=', 0, 0).trimmed().toLower();
        const QString value = line.section(u'=', 1).trimmed();
        if (key == u"title")
            song.titles.append({value, QString()});
        else if (key == u"langcount")
            languages = qBound(1, value.toInt(), kMostLanguages);
        else if (key == u"languages")
            languageNames = value.split(u',', Qt::SkipEmptyParts);
        else if (key == u"verseorder")
            order = value.split(u',', Qt::SkipEmptyParts);
    }
    const auto languageName = [&](int i) {
        return languages == 1 ? QString() : languageNames.value(i, QString::number(i + 1)).trimmed();
    };
    QHash<QString, qsizetype> verseOf;
    bool slideStart = true;
    bool newBlock = true;
    for (++at; at < lines.size(); ++at) {
        const QString &line = lines[at];
        if (line == u"---" || line == u"--") {
            slideStart = true;
            newBlock = true;
            continue;
        }
        if (slideStart) {
            slideStart = false;
            const QString name = headingName(line);
            if (!name.isEmpty() || song.verses.isEmpty()) {
                const QString key = name.isEmpty() ? QStringLiteral("v1") : name;
                if (!verseOf.contains(key)) {
                    verseOf.insert(key, song.verses.size());
                    song.verses.append({key, {}});
                }
                if (!name.isEmpty())
                    continue;
            }
        }
        if (newBlock) {
            LyricVerse &verse = song.verses.last();
            for (int i = 0; i < languages; ++i)
                verse.blocks.append(lyricBlock({}, languageName(i)));
            newBlock = false;
        }
        // the lines of one slide take turns among the languages
        const qsizetype first = song.verses.last().blocks.size() - languages;
        LyricBlock *target = &song.verses.last().blocks[first];
        qsizetype fewest = first;
        for (qsizetype i = first; i < song.verses.last().blocks.size(); ++i) {
            if (song.verses.last().blocks[i].lines.size() < song.verses.last().blocks[fewest].lines.size())
                fewest = i;
        }
        target = &song.verses.last().blocks[fewest];
        target->lines.append(line.simplified());
    }
    for (const QString &part : std::as_const(order)) {
        const QString name = headingName(part);
        if (!name.isEmpty())
            song.verseOrder << name;
    }
    for (LyricVerse &verse : song.verses) {
        verse.blocks.removeIf([](const LyricBlock &block) {
            return std::all_of(block.lines.cbegin(), block.lines.cend(), [](const QString &l) { return l.isEmpty(); });
        });
    }
    song.verses.removeIf([](const LyricVerse &verse) { return verse.blocks.isEmpty(); });
}

} // namespace SongBeamer
