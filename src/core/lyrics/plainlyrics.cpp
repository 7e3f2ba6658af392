// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/plainlyrics.h"

#include "core/lyrics/lyricsong.h"
#include "core/util/leadingint.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace PlainLyrics {

namespace {

QString baseName(QStringView fileName)
{
    return QFileInfo(fileName.toString()).completeBaseName();
}

enum class Mark { None, Number, Refrain };

// The mark a line starts with; *rest is the line without it.
Mark markOf(const QString &line, QString *rest)
{
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d{1,2})\\s*[.)]\\s*(.*)$"));
    static const QRegularExpression refrain(
        QStringLiteral("^\\s*(?:ref(?:ren|rén|rain)?|r|chorus|chór|припев)\\s*(?:[.:]\\s*:?|$)\\s*(.*)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    QRegularExpressionMatch m = number.match(line);
    if (m.hasMatch()) {
        *rest = m.captured(2);
        return Mark::Number;
    }
    m = refrain.match(line);
    if (m.hasMatch()) {
        *rest = m.captured(1);
        return Mark::Refrain;
    }
    *rest = line;
    return Mark::None;
}

struct Paragraph
{
    Mark mark = Mark::None;
    QStringList lines;
};

QList<Paragraph> paragraphsOf(const QStringList &lines)
{
    QList<Paragraph> out;
    bool open = false;
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty()) {
            open = false;
            continue;
        }
        QString rest;
        const Mark mark = markOf(line, &rest);
        if (!open || mark != Mark::None) {
            out.append({mark, {}});
            open = true;
        }
        if (!rest.trimmed().isEmpty())
            out.last().lines.append(rest.trimmed());
    }
    return out;
}

bool hasCredit(const Paragraph &p)
{
    return std::any_of(p.lines.cbegin(), p.lines.cend(), [](const QString &line) { return isCredit(line); });
}

} // namespace

int numberOfName(QStringView fileName)
{
    return leadingInt(baseName(fileName));
}

QString titleOfName(QStringView fileName)
{
    const QString name = baseName(fileName);
    qsizetype at = 0;
    while (at < name.size() && name[at].isSpace())
        ++at;
    const qsizetype digits = at;
    while (at < name.size() && name[at].isDigit())
        ++at;
    return (at > digits ? name.mid(at) : name).trimmed();
}

QStringList lines(const QString &text)
{
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList out = unified.split(u'\n');
    for (QString &line : out) {
        while (!line.isEmpty() && line.back().isSpace())
            line.chop(1);
    }
    return out;
}

bool isCredit(QStringView line)
{
    static const QRegularExpression credit(
        QStringLiteral("^\\s*(ccli|©|\\(c\\)|copyright|℗|words and music|music and words|słowa i muzyka|"
                       "tekst i muzyka|text und melodie|text und musik|slova a hudba|text a hudba)\\b"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return credit.match(line.toString()).hasMatch() || line.trimmed().startsWith(u'©');
}

void read(const QString &text, LyricSong &song, QString *titleLine)
{
    song = LyricSong();
    titleLine->clear();
    QList<Paragraph> paragraphs = paragraphsOf(lines(text));
    while (!paragraphs.isEmpty() && hasCredit(paragraphs.front()))
        paragraphs.removeFirst();
    while (!paragraphs.isEmpty() && hasCredit(paragraphs.back()))
        paragraphs.removeLast();
    if (paragraphs.size() > 1 && paragraphs.front().mark == Mark::None && paragraphs.front().lines.size() == 1) {
        *titleLine = paragraphs.takeFirst().lines.front();
        song.titles.append({*titleLine, QString()});
    }
    const bool numbered = std::any_of(paragraphs.cbegin(), paragraphs.cend(),
                                      [](const Paragraph &p) { return p.mark == Mark::Number; });
    QStringList refrain;
    bool refrainFirst = false;
    int verses = 0;
    int choruses = 0;
    for (const Paragraph &p : std::as_const(paragraphs)) {
        if (p.mark == Mark::Refrain) {
            if (p.lines.isEmpty() || p.lines == refrain)
                continue; // the refrain again: it is sung after every stanza anyway
            if (choruses == 0) {
                refrain = p.lines;
                refrainFirst = verses == 0;
            }
            song.verses.append({QStringLiteral("c%1").arg(++choruses), {lyricBlock(p.lines)}});
        } else if (p.mark == Mark::None && numbered && verses > 0 && song.verses.last().name.startsWith(u'v')) {
            song.verses.last().blocks.append(lyricBlock(p.lines));
        } else if (!p.lines.isEmpty() || p.mark == Mark::Number) {
            song.verses.append({QStringLiteral("v%1").arg(++verses), {lyricBlock(p.lines)}});
        }
    }
    if (refrainFirst)
        song.verseOrder << QStringLiteral("c1");
    for (const LyricVerse &verse : std::as_const(song.verses)) {
        if (verse.name.startsWith(u'c') && verse.name != u"c1")
            song.verseOrder << verse.name;
        if (!verse.name.startsWith(u'v'))
            continue;
        song.verseOrder << verse.name;
        if (!refrain.isEmpty())
            song.verseOrder << QStringLiteral("c1");
    }
}

} // namespace PlainLyrics
