// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/lyricimport.h"

#include "core/library/boardtext.h"
#include "core/library/lyriclayout.h"
#include "core/library/plainlyrics.h"
#include "core/util/posixfile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHash>

namespace LyricImport {

namespace {

bool fail(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
    return false;
}

void cleanForBoard(LyricPlan &plan, LyricNotes &notes, CharsetMode *charset)
{
    QStringList all;
    for (QList<QStringList> &stanza : plan.stanzas) {
        for (QStringList &block : stanza) {
            for (QString &line : block) {
                line = BoardText::plainPunctuation(line);
                all.append(line);
            }
        }
    }
    *charset = BoardText::charsetFor(all);
    for (QList<QStringList> &stanza : plan.stanzas) {
        for (QStringList &block : stanza) {
            for (QString &line : block)
                line = BoardText::fitToCharset(line, *charset, &notes.replacedCharacters).simplified();
        }
    }
}

} // namespace

QString languageTag(const QString &languageName)
{
    static const QHash<QString, QString> tags{
        {QStringLiteral("Polski"), QStringLiteral("pl")},   {QStringLiteral("English"), QStringLiteral("en")},
        {QStringLiteral("Deutsch"), QStringLiteral("de")},  {QStringLiteral("Slovensky"), QStringLiteral("sk")},
        {QStringLiteral("Česky"), QStringLiteral("cs")},    {QStringLiteral("Russian"), QStringLiteral("ru")},
        {QStringLiteral("Русский"), QStringLiteral("ru")},  {QStringLiteral("Українська"), QStringLiteral("uk")},
    };
    return tags.value(languageName);
}

bool convert(const QString &path, const Board &board, const QString &lang, Source &source, QString *reason)
{
    source = Source();
    QByteArray bytes;
    if (!readRegularFile(path, OpenLyrics::kMaxFileSize, &bytes))
        return fail(reason, QStringLiteral("not a readable file of at most 4 MiB"));
    const QString suffix = QFileInfo(path).suffix().toLower();
    LyricPlan plan;
    QString error;
    if (suffix == u"xml") {
        LyricSong lyrics;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        if (!OpenLyrics::read(buffer, lyrics, &error))
            return fail(reason, error);
        source.title = OpenLyrics::preferredTitle(lyrics, lang);
        source.songbooks = lyrics.songbooks;
        plan = LyricMapping::map(lyrics, source.notes);
    } else if (suffix == u"txt") {
        QString text;
        if (!PlainLyrics::decode(bytes, &text, &error))
            return fail(reason, error);
        source.title = PlainLyrics::titleOfName(path);
        source.nameNumber = PlainLyrics::numberOfName(path);
        plan = PlainLyrics::plan(text);
    } else {
        return fail(reason, QStringLiteral("neither an OpenLyrics .xml nor a .txt file"));
    }
    CharsetMode charset = CharsetMode::Latin;
    cleanForBoard(plan, source.notes, &charset);
    if (!LyricLayout::layout(plan, board.width, board.height, source.song, source.notes, &error))
        return fail(reason, error);
    source.song.setCharset(charset);
    return true;
}

} // namespace LyricImport
