// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/boardcharset.h"

#include <array>
#include <utility>

namespace BoardCharset {
namespace {

// Latin letters of the board's code page (code point, byte).
constexpr std::pair<char16_t, unsigned char> kLatin[] = {
    {0x00C0, 0xA2}, {0x00C8, 0x88}, {0x00CA, 0x98}, {0x00E0, 0xA0}, {0x00E8, 0x83}, {0x00EA, 0x90}, {0x0104, 0xA5},
    {0x0105, 0xB9}, {0x0106, 0xC6}, {0x0107, 0xE6}, {0x010C, 0xC8}, {0x010D, 0xE8}, {0x010E, 0xCF}, {0x010F, 0xEF},
    {0x0110, 0xD0}, {0x0111, 0xF0}, {0x0116, 0xC3}, {0x0117, 0xE3}, {0x0118, 0xCA}, {0x0119, 0xEA}, {0x011A, 0xCC},
    {0x011B, 0xEC}, {0x012E, 0xDE}, {0x012F, 0xFE}, {0x013D, 0xBC}, {0x013E, 0xBE}, {0x0141, 0xA3}, {0x0142, 0xB3},
    {0x0143, 0xD1}, {0x0144, 0xF1}, {0x0147, 0xD2}, {0x0148, 0xF2}, {0x0155, 0xE0}, {0x0158, 0xD8}, {0x0159, 0xF8},
    {0x015A, 0x8C}, {0x015B, 0x9C}, {0x0160, 0x8A}, {0x0161, 0x9A}, {0x0164, 0x8D}, {0x0165, 0x9D}, {0x016A, 0xDB},
    {0x016B, 0xFB}, {0x016E, 0xD9}, {0x016F, 0xF9}, {0x0172, 0xD5}, {0x0173, 0xF5}, {0x0179, 0x8F}, {0x017A, 0x9F},
    {0x017B, 0xAF}, {0x017C, 0xBF}, {0x017D, 0x8E}, {0x017E, 0x9E},
};

// Cyrillic letters outside the contiguous block U+0410..U+044F -> 0xC0..0xFF.
constexpr std::pair<char16_t, unsigned char> kCyrillic[] = {
    {0x0401, 0xA8}, {0x0404, 0xAA}, {0x0407, 0xAF}, {0x0451, 0xB8},
    {0x0454, 0xBA}, {0x0457, 0xBF}, {0x0490, 0xA5}, {0x0491, 0xB4},
};

constexpr std::array<unsigned char, kTableSize> buildTable()
{
    std::array<unsigned char, kTableSize> table{};
    for (auto &entry : table)
        entry = 0x20;
    for (int c = 0; c < 0x80; ++c)
        table[c] = static_cast<unsigned char>(c);
    for (const auto &[ch, byte] : kLatin)
        table[ch] = byte;
    for (int c = 0x0410; c <= 0x044F; ++c)
        table[c] = static_cast<unsigned char>(0xC0 + (c - 0x0410));
    for (const auto &[ch, byte] : kCyrillic)
        table[ch] = byte;
    return table;
}

constexpr std::array<unsigned char, kTableSize> kTable = buildTable();

// The byte-to-character answer of decode(), worked out once per mode.
constexpr std::array<char16_t, 256> buildDecodeTable(CharsetMode mode)
{
    std::array<char16_t, 256> chars{};
    const int highest = mode == CharsetMode::Cyrillic ? 0x049F : 0x017F;
    for (int byte = 0; byte < 256; ++byte)
        chars[byte] = static_cast<char16_t>(byte);
    // Walking upwards, the last write is the highest code point with that byte: the same answer
    // as searching the table downwards from the top.
    for (int c = 0; c <= highest; ++c)
        chars[kTable[c]] = static_cast<char16_t>(c);
    for (int byte : {0x00, 0x09, 0x0A, 0x0D, 0x20})
        chars[byte] = u' ';
    if (mode == CharsetMode::Cyrillic)
        chars[kNumeroByte] = kNumeroSign;
    return chars;
}

constexpr std::array<char16_t, 256> kDecodeLatin = buildDecodeTable(CharsetMode::Latin);
constexpr std::array<char16_t, 256> kDecodeCyrillic = buildDecodeTable(CharsetMode::Cyrillic);

const std::array<char16_t, 256> &decodeTable(CharsetMode mode)
{
    return mode == CharsetMode::Cyrillic ? kDecodeCyrillic : kDecodeLatin;
}

inline unsigned char encodeOne(char16_t ch)
{
    unsigned char byte;
    if (ch < kTableSize && kTable[ch] != 0x20)
        byte = kTable[ch];
    else if (ch == kNumeroSign)
        byte = kNumeroByte;
    else
        byte = static_cast<unsigned char>(ch & 0xFF);
    if (byte == 0x00 || byte == 0x09 || byte == 0x0A || byte == 0x0D)
        byte = 0x20;
    return byte;
}

} // namespace

unsigned char tableEntry(char16_t ch)
{
    return ch < kTableSize ? kTable[ch] : 0x20;
}

unsigned char encode(char16_t ch)
{
    return encodeOne(ch);
}

void encodeInto(QStringView text, char *out)
{
    const char16_t *in = text.utf16();
    for (qsizetype i = 0, n = text.size(); i < n; ++i)
        out[i] = static_cast<char>(encodeOne(in[i]));
}

QByteArray encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    encodeInto(text, bytes.data());
    return bytes;
}

char16_t decode(unsigned char byte, CharsetMode mode)
{
    return decodeTable(mode)[byte];
}

bool keeps(char16_t ch, CharsetMode mode)
{
    return decode(encode(ch), mode) == ch;
}

QString foreignCharacters(QStringView text, CharsetMode mode, qsizetype limit)
{
    QString foreign;
    for (QChar c : text) {
        if (limit >= 0 && foreign.size() >= limit)
            break;
        if (c.unicode() >= 0x20 && !keeps(c.unicode(), mode) && !foreign.contains(c))
            foreign += c;
    }
    return foreign;
}

void decodeInto(QByteArrayView bytes, CharsetMode mode, QChar *out)
{
    const std::array<char16_t, 256> &table = decodeTable(mode);
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    for (qsizetype i = 0, n = bytes.size(); i < n; ++i)
        out[i] = QChar(table[in[i]]);
}

QString decode(QByteArrayView bytes, CharsetMode mode)
{
    QString text(bytes.size(), Qt::Uninitialized);
    decodeInto(bytes, mode, text.data());
    return text;
}

QString decode(QByteArrayView bytes)
{
    return decode(bytes, currentCharsetMode());
}

unsigned char toBoardCode(char16_t ch)
{
    if (ch == u' ')
        return 0x20;
    if (ch < kTableSize)
        return kTable[ch] != 0x20 ? kTable[ch] : static_cast<unsigned char>(ch & 0xFF);
    if (ch == kNumeroSign)
        return kNumeroByte;
    return 0x20;
}

QString alignRow(QStringView row, RowAlignment alignment, int width)
{
    qsizetype begin = 0;
    qsizetype end = row.size();
    if (alignment != RowAlignment::Right) {
        while (begin < end && row[begin] == u' ')
            ++begin;
    }
    if (alignment != RowAlignment::Left) {
        while (end > begin && row[end - 1] == u' ')
            --end;
    }
    const QStringView kept = row.mid(begin, qMin<qsizetype>(end - begin, width));
    const qsizetype surplus = width - kept.size();
    qsizetype before = 0;
    if (alignment == RowAlignment::Right)
        before = surplus;
    else if (alignment == RowAlignment::Centre)
        before = surplus / 2;
    QString aligned(width, u' ');
    std::copy(kept.begin(), kept.end(), aligned.begin() + before);
    return aligned;
}

QString alignScreen(const QString &screenText, RowAlignment alignment)
{
    const QString text = Song::normalizedScreenText(screenText);
    QString aligned;
    aligned.reserve(kScreenChars);
    for (int line = 0; line < kScreenLines; ++line)
        aligned += alignRow(QStringView(text).mid(line * kLineChars, kLineChars), alignment);
    return aligned;
}

} // namespace BoardCharset
