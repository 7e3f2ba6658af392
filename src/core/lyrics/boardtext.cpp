// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/boardtext.h"

#include "core/model/boardcharset.h"

namespace BoardText {

namespace {

bool survives(char32_t c, CharsetMode mode)
{
    return c <= 0xFFFF && BoardCharset::keeps(char16_t(c), mode);
}

} // namespace

QString plainPunctuation(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case 0x201E:
        case 0x201C:
        case 0x201D:
        case 0x00AB:
        case 0x00BB:
            out += u'"';
            break;
        case 0x2018:
        case 0x2019:
        case 0x201A:
            out += u'\'';
            break;
        case 0x2013:
        case 0x2014:
            out += u'-';
            break;
        case 0x2026:
            out += u"...";
            break;
        case 0x00AD:
        case 0x200B:
        case 0x200C:
        case 0x200D:
        case 0x2060:
        case 0xFEFF:
            break;
        default:
            if (c.isSpace())
                out += u' ';
            else if (c.category() != QChar::Other_Control)
                out += c;
        }
    }
    return out;
}

QString withoutControls(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.category() != QChar::Other_Control)
            out += c;
    }
    return out;
}

CharsetMode charsetFor(const QStringList &lines)
{
    qsizetype cyrillic = 0;
    qsizetype latin = 0;
    for (const QString &line : lines) {
        for (QChar c : line) {
            if (!c.isLetter() || c.unicode() < 0x80)
                continue;
            if (c.script() == QChar::Script_Cyrillic)
                ++cyrillic;
            else if (c.script() == QChar::Script_Latin)
                ++latin;
        }
    }
    return cyrillic > latin ? CharsetMode::Cyrillic : CharsetMode::Latin;
}

QString fitToCharset(QStringView text, CharsetMode mode, int *replaced)
{
    QString out;
    out.reserve(text.size());
    for (char32_t c : text.toUcs4()) {
        if (survives(c, mode)) {
            out += QChar(char16_t(c));
            continue;
        }
        ++*replaced;
        const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_D);
        const char32_t base = decomposed.isEmpty() ? 0 : decomposed.front().unicode();
        out += base != c && survives(base, mode) && base > 0x20 ? QChar(char16_t(base)) : QChar(u' ');
    }
    return out;
}

QString fitKeepingControls(QStringView text, CharsetMode mode, int *replaced)
{
    QString out;
    out.reserve(text.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text.at(i).unicode() >= 0x20)
            continue;
        out += fitToCharset(text.sliced(start, i - start), mode, replaced);
        if (i < text.size())
            out += text.at(i);
        start = i + 1;
    }
    return out;
}

} // namespace BoardText
