// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/search/textfold.h"

namespace {

// Characters removed outright: a word written with an apostrophe is found without it.
bool isQuote(char32_t c)
{
    switch (c) {
    case u'\'':
    case u'"':
    case u'`':
    case 0x00B4:
    case 0x02BC:
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x201B:
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x201F:
    case 0x00AB:
    case 0x00BB:
    case 0x2039:
    case 0x203A:
        return true;
    default:
        return false;
    }
}

// Latin letters that case folding and decomposition leave with their stroke or as a ligature.
QStringView replacementOf(char32_t c)
{
    switch (c) {
    case 0x0142:
        return u"l"; // ł
    case 0x0111:
        return u"d"; // đ
    case 0x00F8:
        return u"o"; // ø
    case 0x00DF:
        return u"ss"; // ß
    default:
        return {};
    }
}

class Folder
{
public:
    explicit Folder(qsizetype size) { m_out.reserve(size); }

    void letter(QStringView text)
    {
        if (m_blank && !m_out.isEmpty())
            m_out.append(u' ');
        m_blank = false;
        m_out.append(text);
    }
    void blank() { m_blank = true; }
    QString take() { return std::move(m_out); }
    bool isEmpty() const { return m_out.isEmpty(); }

private:
    QString m_out;
    bool m_blank = false;
};

// The slow path for a text with any character beyond ASCII.
QString foldUnicode(QStringView text)
{
    // ё decomposes into е and a mark that Cyrillic keeps: it is mapped before.
    const QString decomposed =
        text.toString().toCaseFolded().replace(QChar(0x0451), QChar(0x0435)).normalized(QString::NormalizationForm_D);
    Folder out(decomposed.size());
    bool afterLatin = false;
    bool keptMark = false;
    for (qsizetype i = 0; i < decomposed.size();) {
        char32_t c = decomposed.at(i).unicode();
        qsizetype width = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < decomposed.size() && decomposed.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(decomposed.at(i), decomposed.at(i + 1));
            width = 2;
        }
        const QStringView raw = QStringView(decomposed).mid(i, width);
        i += width;
        if (QChar::category(c) == QChar::Mark_NonSpacing) {
            if (!afterLatin && !out.isEmpty()) {
                out.letter(raw);
                keptMark = true;
            }
            continue;
        }
        afterLatin = false;
        if (isQuote(c))
            continue;
        if (const QStringView replaced = replacementOf(c); !replaced.isEmpty()) {
            out.letter(replaced);
            afterLatin = true;
            continue;
        }
        if (QChar::isLetterOrNumber(c) || QChar::category(c) == QChar::Mark_SpacingCombining) {
            out.letter(raw);
            afterLatin = QChar::script(c) == QChar::Script_Latin;
            continue;
        }
        out.blank();
    }
    QString folded = out.take();
    // Marks kept on other scripts' letters join them again, so that й stays one letter.
    return keptMark ? folded.normalized(QString::NormalizationForm_C) : folded;
}

} // namespace

namespace TextFold {

void appendFolded(QStringView text, QByteArray &out)
{
    const qsizetype start = out.size();
    bool blank = false;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c >= 0x80) {
            out.truncate(start);
            out.append(foldUnicode(text).toUtf8());
            return;
        }
        const bool lower = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
        if (lower || (c >= u'A' && c <= u'Z')) {
            if (blank && out.size() > start)
                out.append(' ');
            blank = false;
            out.append(char(lower ? c : c + 32));
        } else if (!isQuote(c)) {
            blank = true;
        }
    }
}

QString fold(QStringView text)
{
    QByteArray folded;
    folded.reserve(text.size());
    appendFolded(text, folded);
    return QString::fromUtf8(folded);
}

} // namespace TextFold
