// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/textdecoding.h"

#include "core/lyrics/lyricmessage.h"

#include <QStringDecoder>

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace TextDecoding {

namespace {

bool fail(LyricMessage *error, LyricMessage::Code code, const QString &arg = {})
{
    if (error)
        *error = {code, arg.isEmpty() ? QStringList() : QStringList{arg}};
    return false;
}

// bytes in encoding as text; false when iconv does not know the encoding or a byte sequence is
// not valid in it.
bool convert(const QByteArray &bytes, const QString &encoding, QString *text)
{
    const iconv_t cd = iconv_open("UTF-16LE", encoding.toLatin1().constData());
    if (cd == iconv_t(-1))
        return false;
    const std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);
    // every code page here takes one byte per character, one UTF-16 unit each; room for more
    QByteArray out(bytes.size() * 4 + 16, Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    char *to = out.data();
    size_t outLeft = size_t(out.size());
    if (iconv(cd, &in, &inLeft, &to, &outLeft) == size_t(-1) || inLeft != 0)
        return false;
    const qsizetype written = out.size() - qsizetype(outLeft);
    *text = QString(reinterpret_cast<const QChar *>(out.constData()), written / 2);
    return true;
}

// Letters of the languages the board serves (Polish, Czech, Slovak, German, Russian) count for a
// decoding; other characters beyond ASCII and a small letter followed by a capital in one word
// (a Russian text read in the wrong Cyrillic code page) count against it.
int plausibility(const QString &text)
{
    static const QString alphabet = QStringLiteral(
        "ąćęłńóśźżĄĆĘŁŃÓŚŹŻáčďéěíňřšťúůýžÁČĎÉĚÍŇŘŠŤÚŮÝŽäĺľôŕÄĹĽÔŔöüßÖÜ"
        "абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    int score = 0;
    QChar previous;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            if (alphabet.contains(c))
                ++score;
            else if (!c.isSpace() && c.unicode() != 0x2013 && c.unicode() != 0x2014 && c.unicode() != 0x201E
                     && c.unicode() != 0x201D && c.unicode() != 0x2019)
                score -= 3;
        }
        if (previous.isLower() && c.isUpper())
            score -= 2;
        previous = c;
    }
    return score;
}

bool looksBinary(const QString &text)
{
    qsizetype controls = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0)
            return true;
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f') || u == 0x7F)
            ++controls;
    }
    return controls * 100 > text.size();
}

} // namespace

QStringList guessedEncodings()
{
    return {QStringLiteral("windows-1250"), QStringLiteral("ISO-8859-2"), QStringLiteral("windows-1251"),
            QStringLiteral("KOI8-R"), QStringLiteral("windows-1252")};
}

bool isKnown(const QString &encoding)
{
    if (encoding.isEmpty())
        return false;
    const iconv_t cd = iconv_open("UTF-16LE", encoding.toLatin1().constData());
    if (cd == iconv_t(-1))
        return false;
    iconv_close(cd);
    return true;
}

bool decode(const QByteArray &bytes, const QString &encoding, QString *text, QString *used, LyricMessage *error)
{
    const QByteArray start = bytes.left(16).trimmed();
    if (start.startsWith("{\\rtf") || start.startsWith("\xEF\xBB\xBF{\\rtf"))
        return fail(error, LyricMessage::Code::NotPlainText);
    bool decoded = false;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.startsWith("\xFF\xFE");
        QStringDecoder decoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        *text = decoder(QByteArrayView(bytes).sliced(2));
        *used = little ? QStringLiteral("UTF-16LE") : QStringLiteral("UTF-16BE");
        if (decoder.hasError() || bytes.size() % 2 != 0)
            return fail(error, LyricMessage::Code::BadEncoding, *used);
        decoded = true;
    } else if (bytes.startsWith("\xEF\xBB\xBF") || encoding.isEmpty()
               || encoding.compare(u"UTF-8", Qt::CaseInsensitive) == 0) {
        QStringDecoder decoder(QStringConverter::Utf8);
        const QByteArrayView body = bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : bytes;
        const QString utf8 = decoder(body);
        decoded = !decoder.hasError();
        if (decoded) {
            *text = utf8;
            *used = QStringLiteral("UTF-8");
        } else if (!encoding.isEmpty() || bytes.startsWith("\xEF\xBB\xBF")) {
            return fail(error, LyricMessage::Code::BadEncoding, QStringLiteral("UTF-8"));
        }
    }
    if (!decoded && !encoding.isEmpty()) {
        if (!convert(bytes, encoding, text))
            return fail(error, LyricMessage::Code::BadEncoding, encoding);
        *used = encoding;
        decoded = true;
    }
    if (!decoded && !bytes.contains('\0')) {
        int best = 0;
        for (const QString &candidate : guessedEncodings()) {
            QString attempt;
            if (!convert(bytes, candidate, &attempt))
                continue;
            const int score = plausibility(attempt);
            if (!decoded || score > best) {
                best = score;
                *text = attempt;
                *used = candidate;
                decoded = true;
            }
        }
    }
    // German text reads the same in both Western and Central European code pages: name the former
    if (decoded && encoding.isEmpty() && *used == u"windows-1250") {
        QString western;
        if (convert(bytes, QStringLiteral("windows-1252"), &western) && western == *text)
            *used = QStringLiteral("windows-1252");
    }
    if (!decoded || looksBinary(*text))
        return fail(error, LyricMessage::Code::NotPlainText);
    return true;
}

} // namespace TextDecoding
