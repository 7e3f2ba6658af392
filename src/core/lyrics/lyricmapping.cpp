// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/lyricmapping.h"

#include "core/lyrics/lyricsong.h"
#include "core/model/song.h"

#include <QHash>
#include <QRegularExpression>

QList<LyricMessage> LyricNotes::messages() const
{
    using Code = LyricMessage::Code;
    QList<LyricMessage> out;
    if (!stanzasFromOtherParts.isEmpty())
        out.append({Code::AsStanzas, stanzasFromOtherParts});
    if (!droppedOrderTokens.isEmpty())
        out.append({Code::OrderTokensDropped, droppedOrderTokens});
    if (documentOrder)
        out.append(LyricMessage(Code::DocumentOrder));
    if (replacedCharacters > 0)
        out.append({Code::CharactersReplaced, {QString::number(replacedCharacters)}});
    if (cutWords > 0)
        out.append({Code::WordsCut, {QString::number(cutWords)}});
    if (!languagesLeftOut.isEmpty())
        out.append({Code::LanguagesLeftOut, languagesLeftOut});
    if (!repeatsDropped.isEmpty())
        out.append({Code::RepeatDropped, repeatsDropped});
    if (movedFrom > 0)
        out.append({Code::NumberMoved, {QString::number(movedFrom)}});
    if (sameTitle)
        out.append(LyricMessage(Code::SameTitle));
    return out;
}

namespace LyricMapping {

namespace {

// "v1a" is type "v", number "1", part "a"; a name the pattern does not fit is a type of its own.
struct VerseName
{
    QString type;
    QString number;
    QString key() const { return type + number; }
};

VerseName parseName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^([a-z]+)0*(\\d*)[a-z]?$"));
    const QString lower = name.toLower();
    const QRegularExpressionMatch m = pattern.match(lower);
    if (!m.hasMatch())
        return {lower, QString()};
    return {m.captured(1), m.captured(2)};
}

struct StanzaSlot
{
    VerseName name;
    QString shownName; // the verse name as written, for the notes
};

} // namespace

LyricPlan map(const LyricSong &song, LyricNotes &notes)
{
    LyricPlan plan;
    QList<StanzaSlot> names;
    QHash<QString, qsizetype> slotOfKey;
    for (const LyricVerse &verse : song.verses) {
        const VerseName name = parseName(verse.name);
        qsizetype at = slotOfKey.value(name.key(), -1);
        if (at < 0) {
            if (names.size() > kMaxStanzas)
                break; // one too many is enough to refuse the song
            at = names.size();
            slotOfKey.insert(name.key(), at);
            names.append({name, verse.name});
            plan.stanzas.append(QList<QStringList>());
            plan.repeats.append(QList<int>());
        }
        for (const LyricBlock &block : verse.blocks) {
            plan.stanzas[at].append(block.lines);
            plan.repeats[at].append(block.repeat);
        }
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &type = names[i].name.type;
        if (type == u"c" && plan.refrain == 0)
            plan.refrain = int(i) + 1;
        else if (type != u"v")
            notes.stanzasFromOtherParts << names[i].shownName;
    }

    const auto entryOf = [&](qsizetype slot) { return slot + 1 == plan.refrain ? RefrainMarker : int(slot) + 1; };
    for (const QString &token : song.verseOrder) {
        const VerseName name = parseName(token);
        qsizetype found = -1;
        for (qsizetype i = 0; i < names.size() && found < 0; ++i) {
            const VerseName &s = names[i].name;
            if (s.type != name.type)
                continue;
            // "c" names the first chorus, and "c1" a chorus written without number
            if (name.number.isEmpty() || s.number == name.number || (s.number.isEmpty() && name.number == u"1"))
                found = i;
        }
        if (found < 0) {
            notes.droppedOrderTokens << token;
            continue;
        }
        const int entry = entryOf(found);
        if (plan.sequence.isEmpty() || plan.sequence.last() != entry)
            plan.sequence << entry;
    }

    if (plan.sequence.isEmpty()) {
        int verses = 0;
        bool othersOnly = true;
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (names[i].name.type == u"v")
                ++verses;
            else if (i + 1 != plan.refrain)
                othersOnly = false;
        }
        const bool alternate = plan.refrain > 0 && verses >= 2 && othersOnly;
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (alternate && i + 1 == plan.refrain)
                continue;
            plan.sequence << entryOf(i);
            if (alternate)
                plan.sequence << RefrainMarker;
        }
        notes.documentOrder = !alternate && names.size() > 1;
    }
    return plan;
}

} // namespace LyricMapping
