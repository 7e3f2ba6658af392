// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/lyricmessages.h"

#include "core/app/language.h"

namespace {

using Code = LyricMessage::Code;

int textId(Code code)
{
    switch (code) {
    case Code::None:
        break;
    case Code::AsStanzas:
        return Txt::LyricNoteAsStanzas;
    case Code::OrderTokensDropped:
        return Txt::LyricNoteOrderDropped;
    case Code::DocumentOrder:
        return Txt::LyricNoteDocumentOrder;
    case Code::CharactersReplaced:
        return Txt::LyricNoteCharsReplaced;
    case Code::WordsCut:
        return Txt::LyricNoteWordsCut;
    case Code::SameTitle:
        return Txt::LyricNoteSameTitle;
    case Code::LanguagesLeftOut:
        return Txt::LyricNoteLanguages;
    case Code::RepeatDropped:
        return Txt::LyricNoteRepeatDropped;
    case Code::NumberMoved:
        return Txt::LyricNoteNumberMoved;
    case Code::NotPlainText:
        return Txt::LyricNotPlainText;
    case Code::BadEncoding:
        return Txt::LyricBadEncoding;
    case Code::Unreadable:
        return Txt::LyricUnreadable;
    case Code::DoctypeRefused:
        return Txt::LyricDoctype;
    case Code::UndeclaredEntity:
        return Txt::LyricUndeclaredEntity;
    case Code::NotSongRoot:
        return Txt::LyricNotSongRoot;
    case Code::XmlError:
        return Txt::LyricXmlError;
    case Code::NotUtfText:
        return Txt::LyricNotUtf;
    case Code::BoardSongFile:
        return Txt::LyricBoardSongFile;
    case Code::UnknownFileType:
        return Txt::LyricUnknownType;
    case Code::NoLyrics:
        return Txt::LyricNoLyrics;
    case Code::TooManyStanzas:
        return Txt::LyricTooManyStanzas;
    case Code::StanzaTooLong:
        return Txt::LyricStanzaTooLong;
    case Code::NoNumber:
        return Txt::OpenLyricsNoNumber;
    case Code::WriteFailed:
        return Txt::CardFileNotWritten;
    case Code::NoCard:
        return Txt::CardFolderMissing;
    case Code::NoGroup:
        return Txt::LyricNoGroup;
    case Code::OutputInCard:
        return Txt::LyricOutputInCard;
    case Code::OutputNotMade:
        return Txt::LyricOutputNotMade;
    }
    return 0;
}

// The frame a refusal of this kind sits in; 0 for none.
int frameId(Code code)
{
    switch (code) {
    case Code::DoctypeRefused:
    case Code::UndeclaredEntity:
    case Code::NotSongRoot:
    case Code::XmlError:
    case Code::NotUtfText:
    case Code::BoardSongFile:
    case Code::UnknownFileType:
    case Code::NotPlainText:
    case Code::BadEncoding:
        return Txt::LyricNotLyricsFrame;
    case Code::TooManyStanzas:
    case Code::StanzaTooLong:
        return Txt::OpenLyricsTooBig;
    default:
        return 0;
    }
}

} // namespace

QString lyricMessageText(const LyricMessage &message)
{
    const QString text = Lang::text(textId(message.code));
    const QStringList &args = message.args;
    // one %1 for a list of names; the XML reader's message fills the %2 of its text
    if (message.code == Code::AsStanzas || message.code == Code::OrderTokensDropped)
        return text.arg(args.join(u' '));
    if (message.code == Code::LanguagesLeftOut || message.code == Code::RepeatDropped)
        return text.arg(args.join(QStringLiteral(", ")));
    if (message.code == Code::XmlError)
        return text.arg(args.value(0), message.detail);
    QString out = args.size() >= 2 ? text.arg(args[0], args[1]) : args.size() == 1 ? text.arg(args[0]) : text;
    if (!message.detail.isEmpty())
        out += u' ' + message.detail;
    return out;
}

QString lyricRefusalText(const LyricMessage &reason)
{
    const int frame = frameId(reason.code);
    return frame ? Lang::text(frame).arg(lyricMessageText(reason)) : lyricMessageText(reason);
}

QString lyricNotesText(const QList<LyricMessage> &notes)
{
    if (notes.isEmpty())
        return {};
    QStringList parts;
    for (const LyricMessage &note : notes)
        parts << lyricMessageText(note);
    return Lang::text(Txt::OpenLyricsChanges).arg(parts.join(u"; "));
}
