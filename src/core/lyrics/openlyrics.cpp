// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/openlyrics.h"

#include "core/lyrics/lyricmessage.h"
#include "core/model/song.h"
#include "core/util/deviceio.h"
#include "core/util/posixfile.h"

#include <QBuffer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace OpenLyrics {

namespace {

bool fail(LyricMessage *error, LyricMessage::Code code, QStringList args = {}, const QString &detail = {})
{
    if (error)
        *error = {code, args, detail};
    return false;
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
        if (m_skipDepth > 0) {
            ++m_skipDepth;
            return;
        }
        if (m_inLines) {
            if (name == u"br") {
                endLine(true);
            } else if (name == u"line") {
                endLine(false);
            } else if (name == u"comment" || name == u"instrument") {
                m_skipDepth = 1;
            }
            // chord, tag, beam and anything unknown: their text stays part of the line
            return;
        }
        if (name == u"title" && parent == u"titles") {
            m_capture = Capture::Title;
            m_song.titles.append({QString(), attributes.value(QLatin1StringView("lang")).toString()});
        } else if (name == u"verseOrder" && parent == u"properties") {
            m_capture = Capture::VerseOrder;
        } else if (name == u"songbook" && parent == u"songbooks") {
            m_song.songbooks.append({attributes.value(QLatin1StringView("name")).toString().simplified(),
                                     attributes.value(QLatin1StringView("entry")).toString().simplified()});
        } else if (name == u"verse" && parent == u"lyrics") {
            m_song.verses.append({attributes.value(QLatin1StringView("name")).toString().trimmed(), {}});
            m_inVerse = true;
        } else if (name == u"lines" && m_inVerse) {
            m_song.verses.last().blocks.append(QStringList());
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
            }
            return;
        }
        if (name == u"verse")
            m_inVerse = false;
        if (m_capture == Capture::Title && name == u"title")
            m_song.titles.last().text = m_song.titles.last().text.simplified();
        if (m_capture == Capture::VerseOrder && name == u"verseOrder")
            m_song.verseOrder = m_verseOrder.split(u' ', Qt::SkipEmptyParts);
        m_capture = Capture::None;
    }

    void characters(QStringView text)
    {
        if (m_skipDepth > 0)
            return;
        if (m_inLines)
            m_line += text;
        else if (m_capture == Capture::Title)
            m_song.titles.last().text += text;
        else if (m_capture == Capture::VerseOrder)
            m_verseOrder += text.toString().simplified() + u' ';
    }

private:
    enum class Capture { None, Title, VerseOrder };

    // An explicit end (<br/>, </line>) always makes a line, empty or not; the text between
    // 0.7 <line> elements and after the last <br/> is only layout unless it holds letters.
    void endLine(bool explicitEnd)
    {
        const QString line = m_line.simplified();
        m_line.clear();
        if (explicitEnd || !line.isEmpty())
            m_song.verses.last().blocks.last().append(line);
    }

    // Nothing of interest lies deeper than song/lyrics/verse/lines.
    static constexpr int kKeptDepth = 6;

    LyricSong &m_song;
    QStringList m_path; // the names of the first kKeptDepth open elements
    int m_depth = 0;
    QString m_line;
    QString m_verseOrder;
    Capture m_capture = Capture::None;
    int m_skipDepth = 0;
    bool m_inVerse = false;
    bool m_inLines = false;
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

QString preferredTitle(const LyricSong &song, const QString &lang)
{
    const auto primary = [](const QString &tag) { return tag.section(u'-', 0, 0).toLower(); };
    for (const LyricTitle &title : song.titles) {
        if (!title.text.isEmpty() && !lang.isEmpty() && primary(title.lang) == primary(lang))
            return title.text;
    }
    for (const LyricTitle &title : song.titles) {
        if (!title.text.isEmpty())
            return title.text;
    }
    return {};
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
    xml.writeTextElement(QStringLiteral("title"), info.title);
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
            for (int row = 0; row < kScreenLines; ++row) {
                const QString line = song.lineText(i, j, row).trimmed();
                if (!line.isEmpty())
                    lines << line;
            }
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
