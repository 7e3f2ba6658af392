// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/editor/textimport.h"

#include "core/model/boardcharset.h"
#include "core/model/song.h"

namespace TextImport {

namespace {

bool isBlankLine(QStringView line)
{
    for (QChar c : line) {
        if (c != u' ')
            return false;
    }
    return true;
}

// Collects the characters of text that do not come back from the board's code in this charset.
void collectForeign(QStringView text, CharsetMode charset, QString &foreign)
{
    for (QChar c : BoardCharset::foreignCharacters(text, charset, Outcome::kMaxForeign)) {
        if (foreign.size() >= Outcome::kMaxForeign)
            return;
        if (!foreign.contains(c))
            foreign += c;
    }
}

} // namespace

QStringList resultLines(const QStringList &lines)
{
    QStringList result;
    const qsizetype taken = qMin<qsizetype>(lines.size(), kMaxLines);
    result.reserve(taken);
    for (qsizetype i = 0; i < taken; ++i)
        result.append(lines[i].left(kLineWidth).leftJustified(kLineWidth, u' '));
    while (!result.isEmpty() && isBlankLine(result.constLast()))
        result.removeLast();
    return result;
}

int blockCount(const QStringList &lines)
{
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        if (!isBlankLine(lines[i]))
            return int(i / kBlockLines) + 1;
    }
    return 0;
}

Outcome importLines(Song &song, const QStringList &lines, const QList<bool> &continuation)
{
    Outcome outcome;
    outcome.total = blockCount(lines);
    const QStringList taken = resultLines(lines);
    const int blocks = int((taken.size() + kBlockLines - 1) / kBlockLines);
    if (blocks == 0 || !song.canAddStanza())
        return outcome;
    for (int b = 0; b < blocks; ++b) {
        QString text;
        text.reserve(kScreenChars);
        for (int k = 0; k < kBlockLines; ++k) {
            const qsizetype index = qsizetype(b) * kBlockLines + k;
            text += index < taken.size() ? BoardCharset::alignRow(taken[index], BoardCharset::RowAlignment::Centre)
                                         : QString(kLineWidth, u' ');
        }
        const bool continues = b < continuation.size() && continuation[b] && song.stanzaCount() > 0;
        if (continues) {
            if (!song.canAddScreen())
                break;
            song.addScreenAfterCurrent();
        } else {
            if (!song.canAddStanza())
                break;
            const bool fillCurrent = b == 0 && song.currentScreenCount() == 1 && song.isCurrentScreenBlank();
            if (!fillCurrent)
                song.insertStanzaAfterCurrent();
        }
        song.setCurrentScreenText(text);
        collectForeign(text, song.charset(), outcome.foreign);
        ++outcome.placed;
    }
    if (outcome.placed > 0) {
        song.setDefaultSequence();
        song.setCursor(0, 0);
    }
    return outcome;
}

} // namespace TextImport
