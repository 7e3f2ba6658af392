// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/lyricfile.h"

#include "core/lyrics/chordpro.h"
#include "core/lyrics/lyricmessage.h"
#include "core/lyrics/openlyrics.h"
#include "core/lyrics/opensong.h"
#include "core/lyrics/plainlyrics.h"
#include "core/lyrics/songbeamer.h"
#include "core/lyrics/textdecoding.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace LyricFile {

namespace {

bool fail(LyricMessage *reason, const LyricMessage &message)
{
    if (reason)
        *reason = message;
    return false;
}

// Whether the bytes start an XML document: '<' first, after a byte order mark and blanks.
bool startsXml(const QByteArray &bytes)
{
    static const QByteArray utf16le("\xFF\xFE<\0", 4);
    static const QByteArray utf16be("\xFE\xFF\0<", 4);
    if (bytes.startsWith(utf16le) || bytes.startsWith(utf16be))
        return true;
    const QByteArrayView body = bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : bytes;
    return body.trimmed().startsWith('<');
}

// OpenLyrics by its namespace or a <properties> first child; any other <song> is OpenSong. A
// document that breaks off before it shows which goes to the OpenLyrics reader for its refusal.
Format xmlFormat(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes);
    int elements = 0;
    while (!xml.atEnd() && elements < 2) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (++elements == 1) {
            if (xml.namespaceUri() == QLatin1StringView(OpenLyrics::kNamespace) || xml.name() != u"song")
                return Format::OpenLyrics;
        } else {
            return xml.name() == u"properties" ? Format::OpenLyrics : Format::OpenSong;
        }
    }
    return elements == 1 && !xml.hasError() ? Format::OpenSong : Format::OpenLyrics;
}

} // namespace

QString formatWord(Format format)
{
    switch (format) {
    case Format::OpenLyrics:
        return QStringLiteral("OpenLyrics");
    case Format::OpenSong:
        return QStringLiteral("OpenSong");
    case Format::ChordPro:
        return QStringLiteral("ChordPro");
    case Format::SongBeamer:
        return QStringLiteral("SongBeamer");
    case Format::PlainText:
        break;
    }
    return QStringLiteral("text");
}

bool read(const QByteArray &bytes, const QString &path, const QString &encoding, Contents &contents,
          LyricMessage *reason)
{
    contents = Contents();
    contents.nameTitle = PlainLyrics::titleOfName(path);
    if (startsXml(bytes)) {
        contents.format = xmlFormat(bytes);
        contents.encoding = QStringLiteral("XML");
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        LyricMessage error;
        const bool ok = contents.format == Format::OpenSong ? OpenSong::read(buffer, contents.song, &error)
                                                            : OpenLyrics::read(buffer, contents.song, &error);
        return ok || fail(reason, error);
    }
    QString text;
    LyricMessage error;
    if (!TextDecoding::decode(bytes, encoding, &text, &contents.encoding, &error))
        return fail(reason, error);
    // a board song file starts "#n 12" or "#k 1,2,"; a .sng header line "#Key=G" is no such file
    static const QRegularExpression boardSong(QStringLiteral("^#[nk](\\s|\\d|$)"));
    if (boardSong.match(text.left(8)).hasMatch())
        return fail(reason, {LyricMessage::Code::BoardSongFile});
    contents.nameNumber = PlainLyrics::numberOfName(path);
    if (SongBeamer::looksLike(text)) {
        contents.format = Format::SongBeamer;
        SongBeamer::read(text, contents.song);
    } else if (ChordPro::looksLike(text)) {
        contents.format = Format::ChordPro;
        ChordPro::read(text, contents.song);
    } else {
        contents.format = Format::PlainText;
        QString titleLine;
        PlainLyrics::read(text, contents.song, &titleLine);
    }
    return true;
}

} // namespace LyricFile
