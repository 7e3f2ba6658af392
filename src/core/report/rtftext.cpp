// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/rtftext.h"

#include "core/util/deviceio.h"

namespace {
constexpr qsizetype kFlushSize = 64 * 1024;
} // namespace

QByteArray rtfText(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u <= 127) {
            out += char(u);
        } else {
            out += "\\u" + QByteArray::number(uint(u)) + '?';
        }
    }
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
    m_buffer += rtfText(text);
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
