// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/rtftext.h"

#include "core/util/deviceio.h"
#include "core/util/fileutils.h"

#include <charconv>

namespace {

constexpr qsizetype kFlushSize = 64 * 1024;

void appendRtfText(QByteArray &out, QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = isControlCharacter(c.unicode()) ? char16_t(QChar::ReplacementCharacter) : c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u <= 127) {
            out += char(u);
        } else {
            char digits[8] = {'\\', 'u'};
            char *end = std::to_chars(digits + 2, digits + sizeof digits, unsigned(u)).ptr;
            *end++ = '?';
            out.append(digits, end - digits);
        }
    }
}

} // namespace

QByteArray rtfText(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    appendRtfText(out, text);
    return out;
}

RtfOutput &RtfOutput::raw(const char *controlWords)
{
    m_buffer += controlWords;
    return *this;
}

RtfOutput &RtfOutput::raw(const QByteArray &controlWords)
{
    m_buffer += controlWords;
    return *this;
}

RtfOutput &RtfOutput::text(QStringView text)
{
    appendRtfText(m_buffer, text);
    return *this;
}

RtfOutput &RtfOutput::number(int value)
{
    m_buffer += QByteArray::number(value);
    return *this;
}

bool RtfOutput::flush()
{
    if (!m_failed && !m_buffer.isEmpty())
        m_failed = !writeAll(m_device, m_buffer, &m_error);
    m_buffer.clear();
    return !m_failed;
}

void RtfOutput::flushWhenFull()
{
    if (m_buffer.size() >= kFlushSize)
        flush();
}
