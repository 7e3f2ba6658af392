// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/lyriclines.h"

namespace LyricLines {

namespace {

bool startsNumberedStanza(const QString &line)
{
    return line.size() >= 2 && line.front() >= u'0' && line.front() <= u'9';
}

void appendEmptyLines(QStringList &lines, qsizetype count)
{
    for (qsizetype k = 0; k < count; ++k)
        lines.append(QString());
}

} // namespace

QStringList wrapParagraph(QStringView paragraph, int width)
{
    QStringList lines;
    QStringView rest = paragraph;
    while (rest.size() > width) {
        // The last blank that ends a word within reach: the line keeps that word.
        qsizetype cut = -1;
        for (qsizetype k = width; k > 0; --k) {
            if (rest[k] == u' ' && rest[k - 1] != u' ') {
                cut = k;
                break;
            }
        }
        if (cut > 0) {
            lines.append(rest.left(cut).toString());
            rest = rest.mid(cut + 1);
        } else {
            lines.append(rest.left(width).toString());
            rest = rest.mid(width);
        }
    }
    lines.append(rest.toString());
    return lines;
}

QStringList wrapText(QStringView text, int width)
{
    QStringList lines;
    QString paragraph;
    const auto flush = [&] {
        qsizetype end = paragraph.size();
        while (end > 0 && paragraph[end - 1] == u' ')
            --end;
        lines += wrapParagraph(QStringView(paragraph).left(end), width);
        paragraph.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            flush();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            paragraph += u' ';
        } else {
            paragraph += c;
        }
    }
    if (!paragraph.isEmpty() || lines.isEmpty())
        flush();
    return lines;
}

// Works on a stream: out grows by the arranged lines while next walks the input, so inserted and
// deleted lines cost nothing extra and a long paste is arranged in one linear pass.
QStringList arrangeLines(const QStringList &lines)
{
    QStringList out;
    out.reserve(qMin<qsizetype>(lines.size() * 2, kMaxLines + kBlockLines));
    qsizetype next = 0;
    bool blockEmpty = true;
    while (next < lines.size() && out.size() < kMaxLines) {
        if (out.size() + (lines.size() - next) <= 1)
            break; // a text of one line stays as it is
        const qsizetype i = out.size();
        const qsizetype inBlock = i % kBlockLines;
        if (inBlock == 0)
            blockEmpty = true;
        const QString &line = lines[next++];
        if (!line.isEmpty())
            blockEmpty = false;
        qsizetype star = -1;
        if (startsNumberedStanza(line)) {
            if (inBlock != 0)
                appendEmptyLines(out, kBlockLines - inBlock);
            out.append(line);
        } else if (line.size() >= 2 && (star = line.indexOf(u'*', 1)) > 0) {
            out.append(line.left(star));
            out.append(line.mid(star)); // not examined again
        } else if (line.isEmpty() && inBlock == 0) {
            // dropped; the next line is examined at the same place
        } else if (line.isEmpty() && !blockEmpty) {
            appendEmptyLines(out, kBlockLines - inBlock);
        } else {
            out.append(line);
        }
    }
    for (; next < lines.size(); ++next)
        out.append(lines[next]);
    return out;
}

} // namespace LyricLines
