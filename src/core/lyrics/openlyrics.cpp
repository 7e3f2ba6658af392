// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/openlyrics.h"

#include "core/lyrics/boardtext.h"
#include "core/lyrics/lyricmessage.h"
#include "core/model/song.h"
#include "core/util/deviceio.h"
#include "core/util/posixfile.h"

#include <QBuffer>
#include <QHash>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <vector>

namespace OpenLyrics {

namespace {

bool fail(LyricMessage *error, LyricMessage::Code code, QStringList args = {}, const QString &detail = {})
{
    if (error)
        *error = {code, args, detail};
    return false;
}

// "he/en" for Hebrew transliterated for English readers; "" when the element names none.
QString languageOf(const QXmlStreamAttributes &attributes, const QString &inherited)
{
    const QString lang = attributes.value(QLatin1StringView("lang")).toString().trimmed();
    const QString translit = attributes.value(QLatin1StringView("translit")).toString().trimmed();
    if (lang.isEmpty())
        return inherited;
    return translit.isEmpty() ? lang : lang + u'/' + translit;
}

// A formatting tag whose opening markup hides its content (display:none, a "hidden" class).
bool hidesText(const QString &openMarkup, const QXmlStreamAttributes &attributes)
{
    QString markup = openMarkup.toLower();
    markup.remove(u' ');
    const QString flag = attributes.value(QLatin1StringView("hidden")).toString().toLower();
    return markup.contains(u"display:none") || markup.contains(u"visibility:hidden") || markup.contains(u"hidden")
        || flag == u"true" || flag == u"1" || flag == u"yes";
}

// Where character data goes while the document is walked. The walk is a flat loop over the
// tokens with a depth count, so that deep nesting costs no stack.
class LyricsWalk
{
public:
    explicit LyricsWalk(LyricSong &song) : m_song(song) {}

    void start(QStringView name, const QXmlStreamAttributes &attributes)
    {
        const QString parent = m_depth <= m_path.size() && m_depth > 0 ? m_path[m_depth - 1] : QString();
        if (m_depth++ < kKeptDepth)
            m_path.append(name.toString());
        ++m_events;
        if (m_skipDepth > 0) {
            ++m_skipDepth;
            return;
        }
        if (m_inLines) {
            startInLines(name, attributes);
            return;
        }
        if (name == u"title" && parent == u"titles") {
            m_capture = Capture::Title;
            m_song.titles.append({QString(), languageOf(attributes, {})});
        } else if (name == u"verseOrder" && parent == u"properties") {
            m_capture = Capture::VerseOrder;
        } else if (name == u"songbook" && parent == u"songbooks") {
            m_song.songbooks.append({attributes.value(QLatin1StringView("name")).toString().simplified(),
                                     attributes.value(QLatin1StringView("entry")).toString().simplified()});
        } else if (name == u"tag" && parent == u"tags") {
            m_tagName = attributes.value(QLatin1StringView("name")).toString();
            m_tagAttributes = attributes;
            m_tagOpen.clear();
        } else if (name == u"open" && parent == u"tag") {
            m_capture = Capture::TagOpen;
        } else if (name == u"verse" && parent == u"lyrics") {
            m_verseLanguage = languageOf(attributes, {});
            m_song.verses.append({attributes.value(QLatin1StringView("name")).toString().trimmed(), {}});
            m_inVerse = true;
        } else if (name == u"lines" && m_inVerse) {
            LyricBlock block;
            block.language = languageOf(attributes, m_verseLanguage);
            bool ok = false;
            const int repeat = attributes.value(QLatin1StringView("repeat")).toInt(&ok);
            block.repeat = ok ? qBound(1, repeat, kMostRepeats) : 1;
            m_song.verses.last().blocks.append(block);
            m_inLines = true;
            m_line.clear();
        }
    }

    void end(QStringView name)
    {
        if (m_depth-- <= m_path.size())
            m_path.removeLast();
        if (m_skipDepth > 0) {
            --m_skipDepth;
            return;
        }
        if (m_inLines) {
            if (name == u"line") {
                endLine(true);
            } else if (name == u"lines") {
                endLine(false);
                m_inLines = false;
            } else if (name == u"tag" && !m_openTags.empty()) {
                const auto [events, lineBreak] = m_openTags.back();
                m_openTags.pop_back();
                if (events == m_events) { // nothing inside: a boundary, never glue
                    if (lineBreak)
                        endLine(true);
                    else
                        m_line += u' ';
                }
            }
            return;
        }
        if (name == u"verse")
            m_inVerse = false;
        if (name == u"tag" && !m_tagName.isEmpty()) {
            m_tags.insert(m_tagName, {hidesText(m_tagOpen, m_tagAttributes), m_tagOpen.trimmed().startsWith(u"<br")});
            m_tagName.clear();
        }
        if (m_capture == Capture::Title && name == u"title")
            m_song.titles.last().text = m_song.titles.last().text.simplified();
        if (m_capture == Capture::VerseOrder && name == u"verseOrder")
            m_song.verseOrder = m_verseOrder.split(u' ', Qt::SkipEmptyParts);
        m_capture = Capture::None;
    }

    void characters(QStringView text)
    {
        ++m_events;
        if (m_skipDepth > 0)
            return;
        if (m_inLines)
            m_line += text;
        else if (m_capture == Capture::Title)
            m_song.titles.last().text += text;
        else if (m_capture == Capture::VerseOrder)
            m_verseOrder += text.toString().simplified() + u' ';
        else if (m_capture == Capture::TagOpen)
            m_tagOpen += text;
    }

private:
    enum class Capture { None, Title, VerseOrder, TagOpen };
    struct TagKind
    {
        bool hidden = false;
        bool lineBreak = false;
    };

    void startInLines(QStringView name, const QXmlStreamAttributes &attributes)
    {
        if (name == u"br") {
            endLine(true);
        } else if (name == u"line") {
            endLine(false);
        } else if (name == u"comment" || name == u"instrument") {
            m_skipDepth = 1;
        } else if (name == u"tag") {
            const TagKind kind = m_tags.value(attributes.value(QLatin1StringView("name")).toString());
            if (kind.hidden)
                m_skipDepth = 1;
            else
                m_openTags.push_back({m_events, kind.lineBreak});
        }
        // chord, beam and anything unknown: their text stays part of the line
    }

    // An explicit end (<br/>, </line>) always makes a line, empty or not; the text between
    // 0.7 <line> elements and after the last <br/> is only layout unless it holds letters.
    void endLine(bool explicitEnd)
    {
        const QString line = m_line.simplified();
        m_line.clear();
        if (explicitEnd || !line.isEmpty())
            m_song.verses.last().blocks.last().lines.append(line);
    }

    // Nothing of interest lies deeper than song/lyrics/verse/lines.
    static constexpr int kKeptDepth = 6;
    static constexpr int kMostRepeats = 8;

    LyricSong &m_song;
    QStringList m_path; // the names of the first kKeptDepth open elements
    int m_depth = 0;
    QString m_line;
    QString m_verseOrder;
    QString m_verseLanguage;
    Capture m_capture = Capture::None;
    int m_skipDepth = 0;
    bool m_inVerse = false;
    bool m_inLines = false;
    // formatting tags: the definitions met so far, the one being read, the ones open in a line
    QHash<QString, TagKind> m_tags;
    QString m_tagName;
    QString m_tagOpen;
    QXmlStreamAttributes m_tagAttributes;
    std::vector<std::pair<qint64, bool>> m_openTags; // the event count at the start, a line break
    qint64 m_events = 0;
};

} // namespace

bool read(QIODevice &device, LyricSong &song, LyricMessage *error)
{
    using Code = LyricMessage::Code;
    song = LyricSong();
    if (!checkReadable(device))
        return fail(error, Code::Unreadable);
    QXmlStreamReader xml(&device);
    LyricsWalk walk(song);
    int depth = 0;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            return fail(error, Code::DoctypeRefused);
        case QXmlStreamReader::EntityReference:
            return fail(error, Code::UndeclaredEntity, {xml.name().toString()});
        case QXmlStreamReader::StartElement:
            if (depth == 0 && xml.name() != u"song")
                return fail(error, Code::NotSongRoot);
            ++depth;
            walk.start(xml.name(), xml.attributes());
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            walk.end(xml.name());
            break;
        case QXmlStreamReader::Characters:
            walk.characters(xml.text());
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        return fail(error, Code::XmlError, {QString::number(xml.lineNumber())}, xml.errorString());
    return true;
}

bool load(const QString &path, LyricSong &song, LyricMessage *error)
{
    QByteArray bytes;
    if (!readRegularFile(path, kMaxFileSize, &bytes))
        return fail(error, LyricMessage::Code::Unreadable);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer, song, error);
}

QByteArray toXml(const Song &song, const ExportInfo &info)
{
    const int refrain = song.refrainIndex();
    QStringList names;
    for (int i = 0, verse = 0; i < song.stanzaCount(); ++i)
        names << (i + 1 == refrain ? QStringLiteral("c1") : QStringLiteral("v%1").arg(++verse));
    QStringList order;
    for (int entry : song.sequence()) {
        const int stanza = song.stanzaOfEntry(entry);
        if (stanza >= 0)
            order << names[stanza];
    }

    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QString::fromLatin1(kNamespace));
    xml.writeStartElement(QStringLiteral("song"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("0.9"));
    xml.writeAttribute(QStringLiteral("createdIn"), info.program);
    xml.writeAttribute(QStringLiteral("modifiedIn"), info.program);
    xml.writeAttribute(QStringLiteral("modifiedDate"), info.modified.toUTC().toString(Qt::ISODate));
    xml.writeStartElement(QStringLiteral("properties"));
    xml.writeStartElement(QStringLiteral("titles"));
    xml.writeTextElement(QStringLiteral("title"), BoardText::withoutControls(info.title));
    xml.writeEndElement();
    if (!order.isEmpty())
        xml.writeTextElement(QStringLiteral("verseOrder"), order.join(u' '));
    if (!info.songbook.isEmpty()) {
        xml.writeStartElement(QStringLiteral("songbooks"));
        xml.writeEmptyElement(QStringLiteral("songbook"));
        xml.writeAttribute(QStringLiteral("name"), info.songbook);
        if (info.entry > 0)
            xml.writeAttribute(QStringLiteral("entry"), QString::number(info.entry));
        xml.writeEndElement();
    }
    xml.writeEndElement(); // properties
    xml.writeStartElement(QStringLiteral("lyrics"));
    for (int i = 0; i < song.stanzaCount(); ++i) {
        xml.writeStartElement(QStringLiteral("verse"));
        xml.writeAttribute(QStringLiteral("name"), names[i]);
        QList<QStringList> screens;
        for (int j = 0; j < song.screenCount(i); ++j) {
            QStringList lines;
            for (int row = 0; row < kScreenLines; ++row)
                lines << BoardText::withoutControls(song.lineText(i, j, row)).trimmed();
            while (!lines.isEmpty() && lines.back().isEmpty())
                lines.removeLast();
            while (!lines.isEmpty() && lines.front().isEmpty())
                lines.removeFirst();
            if (!lines.isEmpty())
                screens << lines;
        }
        if (screens.isEmpty())
            screens << QStringList(); // a verse holds at least one <lines>; this one is a blank screen
        for (qsizetype s = 0; s < screens.size(); ++s) {
            xml.writeStartElement(QStringLiteral("lines"));
            if (s + 1 < screens.size())
                xml.writeAttribute(QStringLiteral("break"), QStringLiteral("optional"));
            for (qsizetype l = 0; l < screens[s].size(); ++l) {
                if (l > 0)
                    xml.writeEmptyElement(QStringLiteral("br"));
                xml.writeCharacters(screens[s][l]);
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement(); // lyrics
    xml.writeEndElement(); // song
    xml.writeEndDocument();
    return bytes;
}

} // namespace OpenLyrics
