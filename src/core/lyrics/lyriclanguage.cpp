// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/lyriclanguage.h"

#include "core/lyrics/boardtext.h"
#include "core/lyrics/lyricsong.h"

#include <QHash>

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

// Whether the board shows (nearly) every letter of a language's lines.
bool boardShows(const LyricSong &song, const QString &language)
{
    int letters = 0;
    int lost[2] = {0, 0};
    for (const LyricVerse &verse : song.verses) {
        for (const LyricBlock &block : verse.blocks) {
            if (block.language != language)
                continue;
            for (const QString &line : block.lines) {
                const QString plain = BoardText::plainPunctuation(line);
                for (QChar c : plain)
                    letters += c.isLetter();
                BoardText::fitToCharset(plain, CharsetMode::Latin, &lost[0]);
                BoardText::fitToCharset(plain, CharsetMode::Cyrillic, &lost[1]);
            }
        }
    }
    return letters > 0 && std::min(lost[0], lost[1]) * 10 <= letters;
}

} // namespace

QStringList languages(const LyricSong &song)
{
    QStringList out;
    for (const LyricVerse &verse : song.verses) {
        for (const LyricBlock &block : verse.blocks) {
            if (!block.language.isEmpty() && !out.contains(block.language))
                out << block.language;
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
    for (const QString &tag : tags) {
        if (boardShows(song, tag))
            return tag;
    }
    return tags.front();
}

void keepOnly(LyricSong &song, const QString &language, QStringList *leftOut)
{
    QStringList others = languages(song);
    others.removeAll(language);
    if (leftOut)
        *leftOut = others;
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
