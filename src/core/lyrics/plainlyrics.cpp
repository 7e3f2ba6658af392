// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/plainlyrics.h"

#include "core/lyrics/lyricmapping.h"
#include "core/model/lyriclines.h"
#include "core/util/leadingint.h"

#include <QFileInfo>
#include <QStringDecoder>

namespace PlainLyrics {

namespace {

bool fail(LyricMessage *error, LyricMessage::Code code)
{
    if (error)
        *error = {code};
    return false;
}

QString baseName(QStringView fileName)
{
    return QFileInfo(fileName.toString()).completeBaseName();
}

// Wide enough that no line is wrapped here: the layout wraps for the board it is made for.
constexpr int kNoWrap = 1 << 24;

} // namespace

bool decode(const QByteArray &bytes, QString *text, LyricMessage *error)
{
    QStringDecoder decoder;
    QByteArrayView body(bytes);
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        decoder = QStringDecoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        body = body.sliced(2);
        if (body.size() % 2 != 0)
            return fail(error, LyricMessage::Code::NotUtfText);
    } else {
        decoder = QStringDecoder(QStringConverter::Utf8);
        if (bytes.startsWith("\xEF\xBB\xBF"))
            body = body.sliced(3);
    }
    *text = decoder(body);
    if (decoder.hasError())
        return fail(error, LyricMessage::Code::NotUtfText);
    if (text->startsWith(u"#n") || text->startsWith(u"#k"))
        return fail(error, LyricMessage::Code::BoardSongFile);
    return true;
}

int numberOfName(QStringView fileName)
{
    return leadingInt(baseName(fileName));
}

QString titleOfName(QStringView fileName)
{
    const QString name = baseName(fileName);
    qsizetype at = 0;
    while (at < name.size() && name[at].isSpace())
        ++at;
    const qsizetype digits = at;
    while (at < name.size() && name[at].isDigit())
        ++at;
    return (at > digits ? name.mid(at) : name).trimmed();
}

LyricPlan plan(const QString &text)
{
    using namespace LyricLines;
    const QStringList lines = arrangeLines(wrapText(text, kNoWrap));
    LyricPlan result;
    bool previousFull = false;
    for (qsizetype start = 0; start < lines.size(); start += kBlockLines) {
        const QStringList block = lines.mid(start, kBlockLines);
        qsizetype filled = 0;
        while (filled < block.size() && !block[filled].isEmpty())
            ++filled;
        const bool numbered = !block.isEmpty() && !block.front().isEmpty() && block.front().front().isDigit();
        const bool continues = previousFull && !numbered && !result.stanzas.isEmpty();
        previousFull = filled == kBlockLines;
        QStringList kept;
        for (const QString &line : block) {
            if (!line.isEmpty() || !kept.isEmpty())
                kept.append(line);
        }
        while (!kept.isEmpty() && kept.back().isEmpty())
            kept.removeLast();
        if (kept.isEmpty())
            continue;
        if (continues)
            result.stanzas.last().front() += kept;
        else
            result.stanzas.append({kept});
    }
    for (qsizetype i = 0; i < result.stanzas.size(); ++i)
        result.sequence.append(int(i) + 1);
    return result;
}

} // namespace PlainLyrics
