// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/opensong.h"

#include "core/lyrics/lyricmessage.h"
#include "core/lyrics/lyricsong.h"
#include "core/lyrics/plainlyrics.h"
#include "core/util/deviceio.h"

#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace OpenSong {

namespace {

bool fail(LyricMessage *error, LyricMessage::Code code, QStringList args = {}, const QString &detail = {})
{
    if (error)
        *error = {code, args, detail};
    return false;
}

// "V1" is "v1", "C" "c", "T" (a tag) "t": the verse names the mapping knows.
QString verseName(const QString &marker)
{
    return marker.trimmed().toLower().remove(u' ');
}

class Parts
{
public:
    explicit Parts(LyricSong &song) : m_song(song) {}

    void startPart(const QString &name)
    {
        m_part = name;
        m_breakPending = true;
    }

    void slideBreak() { m_breakPending = true; }

    void add(const QString &part, const QString &line)
    {
        const QString name = part.isEmpty() ? QStringLiteral("v1") : part;
        qsizetype at = m_verseOf.value(name, -1);
        if (at < 0) {
            at = m_song.verses.size();
            m_verseOf.insert(name, at);
            m_song.verses.append({name, {}});
            m_fresh.insert(name, true);
        }
        LyricVerse &verse = m_song.verses[at];
        if (verse.blocks.isEmpty() || m_fresh.value(name) || (m_breakPending && name == m_part)) {
            verse.blocks.append(lyricBlock({}));
            m_fresh.insert(name, false);
        }
        verse.blocks.last().lines.append(line);
    }

    void lineDone() { m_breakPending = false; }
    QString part() const { return m_part; }

private:
    LyricSong &m_song;
    QString m_part;
    bool m_breakPending = true;
    QHash<QString, qsizetype> m_verseOf;
    QHash<QString, bool> m_fresh;
};

} // namespace

void readLyrics(const QString &lyrics, const QString &presentation, LyricSong &song)
{
    static const QRegularExpression marker(QStringLiteral("^\\[([^\\]]{1,12})\\]"));
    static const QRegularExpression numbered(QStringLiteral("^(\\d)(.*)$"));
    Parts parts(song);
    for (const QString &raw : PlainLyrics::lines(lyrics)) {
        if (raw.startsWith(u'.') || raw.startsWith(u';'))
            continue;
        const QRegularExpressionMatch m = marker.match(raw);
        if (m.hasMatch()) {
            parts.startPart(verseName(m.captured(1)));
            continue;
        }
        QString text = raw;
        QString part = parts.part();
        const QRegularExpressionMatch n = numbered.match(raw);
        if (n.hasMatch()) {
            // "[V]" with lines "1 ..." and "2 ...": verse 1 and verse 2
            const QString type = part.isEmpty() ? QStringLiteral("v") : part.left(1);
            part = type + n.captured(1);
            text = n.captured(2);
        }
        if (text.trimmed() == u"---" || text.trimmed() == u"||") {
            parts.slideBreak();
            continue;
        }
        const QStringList slides = text.split(QStringLiteral("||"));
        for (qsizetype s = 0; s < slides.size(); ++s) {
            if (s > 0)
                parts.slideBreak();
            for (const QString &piece : slides[s].split(u'|')) {
                const QString line = piece.simplified().remove(u'_');
                if (line.isEmpty() && raw.trimmed().isEmpty())
                    continue;
                if (!line.isEmpty())
                    parts.add(part, line);
            }
        }
        parts.lineDone();
    }
    for (const QString &token : presentation.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts))
        song.verseOrder << verseName(token);
}

bool read(QIODevice &device, LyricSong &song, LyricMessage *error)
{
    using Code = LyricMessage::Code;
    song = LyricSong();
    if (!checkReadable(device))
        return fail(error, Code::Unreadable);
    QXmlStreamReader xml(&device);
    int depth = 0;
    QString field;
    QString title;
    QString lyrics;
    QString presentation;
    QString hymnNumber;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            return fail(error, Code::DoctypeRefused);
        case QXmlStreamReader::EntityReference:
            return fail(error, Code::UndeclaredEntity, {xml.name().toString()});
        case QXmlStreamReader::StartElement:
            if (depth == 0 && xml.name() != u"song")
                return fail(error, Code::NotSongRoot);
            field = depth == 1 ? xml.name().toString() : QString();
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            field.clear();
            break;
        case QXmlStreamReader::Characters:
            if (field == u"title")
                title += xml.text();
            else if (field == u"lyrics")
                lyrics += xml.text();
            else if (field == u"presentation")
                presentation += xml.text();
            else if (field == u"hymn_number")
                hymnNumber += xml.text();
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        return fail(error, Code::XmlError, {QString::number(xml.lineNumber())}, xml.errorString());
    if (!title.simplified().isEmpty())
        song.titles.append({title.simplified(), QString()});
    if (!hymnNumber.simplified().isEmpty())
        song.songbooks.append({QString(), hymnNumber.simplified()});
    readLyrics(lyrics, presentation, song);
    return true;
}

} // namespace OpenSong
