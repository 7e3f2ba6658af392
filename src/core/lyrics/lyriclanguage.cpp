// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/lyriclanguage.h"

#include "core/lyrics/boardtext.h"
#include "core/lyrics/lyricsong.h"

#include <QHash>
#include <QSet>

namespace LyricLanguage {

namespace {

QString primary(const QString &tag)
{
    return tag.section(u'/', 0, 0).section(u'-', 0, 0).toLower();
}

bool transliterated(const QString &tag)
{
    return tag.contains(u'/');
}

// The best of tags for wanted: the same tag, else the same primary language written in its
// own script, else a transliteration of it; empty when none fits.
QString bestMatch(const QStringList &tags, const QString &wanted)
{
    if (wanted.isEmpty())
        return {};
    for (const QString &tag : tags) {
        if (tag.compare(wanted, Qt::CaseInsensitive) == 0)
            return tag;
    }
    for (const bool translit : {false, true}) {
        for (const QString &tag : tags) {
            if (transliterated(tag) == translit && primary(tag) == primary(wanted))
                return tag;
        }
    }
    return {};
}

// Whether the board shows (nearly) every letter of a language's lines, for every language of
// the song in one pass over its lines.
QHash<QString, bool> boardShows(const LyricSong &song)
{
    struct Count
    {
        int letters = 0;
        int lost[2] = {0, 0};
    };
    QHash<QString, Count> counts;
    for (const LyricVerse &verse : song.verses) {
        for (const LyricBlock &block : verse.blocks) {
            Count &count = counts[block.language];
            for (const QString &line : block.lines) {
                const QString plain = BoardText::plainPunctuation(line);
                for (QChar c : plain)
                    count.letters += c.isLetter();
                BoardText::fitToCharset(plain, CharsetMode::Latin, &count.lost[0]);
                BoardText::fitToCharset(plain, CharsetMode::Cyrillic, &count.lost[1]);
            }
        }
    }
    QHash<QString, bool> shown;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        shown.insert(it.key(), it->letters > 0 && std::min(it->lost[0], it->lost[1]) * 10 <= it->letters);
    return shown;
}

} // namespace

QStringList languages(const LyricSong &song)
{
    QStringList out;
    QSet<QString> seen;
    for (const LyricVerse &verse : song.verses) {
        for (const LyricBlock &block : verse.blocks) {
            if (!block.language.isEmpty() && !seen.contains(block.language)) {
                seen.insert(block.language);
                out << block.language;
            }
        }
    }
    return out;
}

QString choose(const LyricSong &song, const QString &wanted, const QString &programLanguage)
{
    const QStringList tags = languages(song);
    if (tags.isEmpty())
        return {};
    for (const QString &preferred : {wanted, programLanguage}) {
        const QString found = bestMatch(tags, preferred);
        if (!found.isEmpty())
            return found;
    }
    const QHash<QString, bool> shown = boardShows(song);
    for (const QString &tag : tags) {
        if (shown.value(tag))
            return tag;
    }
    return tags.front();
}

void keepOnly(LyricSong &song, const QString &language, QStringList *leftOut)
{
    QStringList others = languages(song);
    others.removeAll(language);
    if (leftOut) {
        // a list for people to read: a file with thousands of languages is named by its first ones
        constexpr qsizetype kNamed = 20;
        *leftOut = others.mid(0, kNamed);
        if (others.size() > kNamed)
            leftOut->append(QStringLiteral("..."));
    }
    if (others.isEmpty())
        return;
    QList<LyricVerse> kept;
    for (LyricVerse &verse : song.verses) {
        QList<LyricBlock> blocks;
        for (LyricBlock &block : verse.blocks) {
            if (block.language.isEmpty() || block.language == language)
                blocks.append(std::move(block));
        }
        if (!blocks.isEmpty())
            kept.append({verse.name, blocks});
    }
    song.verses = kept;
}

QString title(const LyricSong &song, const QString &language, const QString &programLanguage)
{
    QStringList tags;
    for (const LyricTitle &t : song.titles)
        tags << t.language;
    for (const QString &preferred : {language, programLanguage}) {
        const QString found = bestMatch(tags, preferred);
        for (const LyricTitle &t : song.titles) {
            if (!found.isEmpty() && t.language == found && !t.text.isEmpty())
                return t.text;
        }
    }
    for (const LyricTitle &t : song.titles) {
        if (!t.text.isEmpty())
            return t.text;
    }
    return {};
}

} // namespace LyricLanguage
