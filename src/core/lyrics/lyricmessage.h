// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the lyric import and export have to say about a file, as a code and its arguments: the
// program puts it into words in its language (core/app/lyricmessages.h), scripts read token().
struct LyricMessage
{
    enum class Code {
        None,
        // notes on an imported song
        AsStanzas,          // args: the verse names that became ordinary stanzas
        OrderTokensDropped, // args: the verse order tokens naming no verse
        DocumentOrder,      // no usable verse order: the stanzas are sung as they stand
        CharactersReplaced, // args: how many
        WordsCut,           // args: how many
        SameTitle,          // a card song has the same title
        LanguagesLeftOut,   // args: the languages of the file not imported
        RepeatDropped,      // args: the stanzas whose repeated lines are sung once: they did not fit
        NumberMoved,        // args: the songbook entry that was taken or claimed twice
        // why a file was refused
        Unreadable, // no regular file of at most 4 MiB, or a read error
        DoctypeRefused,
        UndeclaredEntity, // args: the entity's name
        NotSongRoot,
        XmlError, // args: the line; detail: the XML reader's message
        NotUtfText,
        NotPlainText, // an RTF document or binary bytes
        BadEncoding,  // args: the encoding the text is not in, or that is unknown
        BoardSongFile,
        UnknownFileType,
        NoLyrics,
        TooManyStanzas, // args: the stanzas, the most a song has
        StanzaTooLong,  // args: the stanza, the most screens it has
        NoNumber,
        WriteFailed, // args: the song file; detail: the system's reason
        // why an import or export did not start
        NoCard,  // args: the card folder
        NoGroup, // args: the group
        OutputInCard,
        OutputNotMade, // args: the folder
    };

    LyricMessage() = default;
    LyricMessage(Code kind, QStringList arguments = {}, QString systemText = {})
        : code(kind), args(std::move(arguments)), detail(std::move(systemText))
    {}

    Code code = Code::None;
    QStringList args;
    QString detail; // a text of Qt or the system, shown as it is after the program's own words

    // "chars-replaced=2", "as-stanzas=b1,c2", "xml-error=3": a stable word for scripts, never
    // translated; blanks inside an argument become '_'; paths and the detail are left out.
    QString token() const;
};

// The tokens of messages, a blank between them.
QString lyricTokens(const QList<LyricMessage> &messages);
