// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/lyricmessage.h"

namespace {

QLatin1StringView wordOf(LyricMessage::Code code)
{
    using C = LyricMessage::Code;
    switch (code) {
    case C::None:
        break;
    case C::AsStanzas:
        return QLatin1StringView("as-stanzas");
    case C::OrderTokensDropped:
        return QLatin1StringView("order-dropped");
    case C::DocumentOrder:
        return QLatin1StringView("document-order");
    case C::CharactersReplaced:
        return QLatin1StringView("chars-replaced");
    case C::WordsCut:
        return QLatin1StringView("words-cut");
    case C::SameTitle:
        return QLatin1StringView("same-title");
    case C::LanguagesLeftOut:
        return QLatin1StringView("languages-left");
    case C::RepeatDropped:
        return QLatin1StringView("repeat-dropped");
    case C::NumberMoved:
        return QLatin1StringView("moved-from");
    case C::Unreadable:
        return QLatin1StringView("unreadable");
    case C::DoctypeRefused:
        return QLatin1StringView("doctype");
    case C::UndeclaredEntity:
        return QLatin1StringView("undeclared-entity");
    case C::NotSongRoot:
        return QLatin1StringView("not-song-root");
    case C::XmlError:
        return QLatin1StringView("xml-error");
    case C::NotUtfText:
        return QLatin1StringView("not-utf");
    case C::NotPlainText:
        return QLatin1StringView("not-plain-text");
    case C::BadEncoding:
        return QLatin1StringView("bad-encoding");
    case C::BoardSongFile:
        return QLatin1StringView("board-song-file");
    case C::UnknownFileType:
        return QLatin1StringView("unknown-type");
    case C::NoLyrics:
        return QLatin1StringView("no-lyrics");
    case C::TooManyStanzas:
        return QLatin1StringView("too-many-stanzas");
    case C::StanzaTooLong:
        return QLatin1StringView("stanza-too-long");
    case C::NoNumber:
        return QLatin1StringView("no-number");
    case C::WriteFailed:
        return QLatin1StringView("write-failed");
    case C::NoCard:
        return QLatin1StringView("no-card");
    case C::NoGroup:
        return QLatin1StringView("no-group");
    case C::OutputInCard:
        return QLatin1StringView("output-in-card");
    case C::OutputNotMade:
        return QLatin1StringView("output-not-made");
    }
    return QLatin1StringView("none");
}

} // namespace

QString LyricMessage::token() const
{
    QString out = wordOf(code);
    // a path says nothing a script does not know, and would need quoting
    const bool pathArg = code == Code::WriteFailed || code == Code::NoCard || code == Code::OutputNotMade;
    if (args.isEmpty() || pathArg)
        return out;
    QStringList values;
    for (const QString &arg : args)
        values << arg.simplified().replace(u' ', u'_');
    return out + u'=' + values.join(u',');
}

QString lyricTokens(const QList<LyricMessage> &messages)
{
    QStringList tokens;
    for (const LyricMessage &message : messages)
        tokens << message.token();
    return tokens.join(u' ');
}
