// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/linereader.h"

#include <QIODevice>

#include <cstring>

namespace {
constexpr qsizetype kBlockBytes = 64 * 1024;

QByteArrayView withoutCr(const char *start, qsizetype length)
{
    if (length > 0 && start[length - 1] == '\r')
        --length;
    return QByteArrayView(start, length);
}
} // namespace

LineReader::LineReader(QIODevice &device, qsizetype maxLineBytes)
    : m_device(&device), m_maxLineBytes(qMax<qsizetype>(maxLineBytes, 1))
{}

LineReader::LineReader(QByteArrayView bytes, qsizetype maxLineBytes)
    : m_maxLineBytes(qMax<qsizetype>(maxLineBytes, 1)), m_buffer(QByteArray::fromRawData(bytes.data(), bytes.size())),
      m_end(bytes.size()), m_atEnd(true)
{}

bool LineReader::fill()
{
    if (m_atEnd)
        return false;
    if (m_pos > 0) {
        std::memmove(m_buffer.data(), m_buffer.constData() + m_pos, size_t(m_end - m_pos));
        m_end -= m_pos;
        m_pos = 0;
    }
    // Small files are read in one go: no larger block than the device can deliver.
    qsizetype block = kBlockBytes;
    if (!m_device->isSequential()) {
        const qint64 left = m_device->size() - m_device->pos();
        block = qBound<qsizetype>(1, qsizetype(qMin<qint64>(left + 1, kBlockBytes)), kBlockBytes);
    }
    if (m_buffer.size() < m_end + block)
        m_buffer.resize(m_end + block);
    const qint64 got = m_device->read(m_buffer.data() + m_end, block);
    if (got <= 0) {
        m_atEnd = true;
        return false;
    }
    m_end += got;
    return true;
}

QByteArrayView LineReader::skipRestOfLongLine(qsizetype start)
{
    m_longLine = QByteArray(m_buffer.constData() + start, m_maxLineBytes);
    m_pos = m_end = m_searched = 0;
    for (;;) {
        if (!fill())
            break;
        if (const void *lf = std::memchr(m_buffer.constData(), '\n', size_t(m_end))) {
            m_pos = static_cast<const char *>(lf) - m_buffer.constData() + 1;
            break;
        }
        m_pos = m_end = 0;
    }
    return QByteArrayView(m_longLine);
}

bool LineReader::next(QByteArrayView &line)
{
    for (;;) {
        const char *start = m_buffer.constData() + m_pos;
        const qsizetype available = m_end - m_pos;
        if (const void *lf = std::memchr(start + m_searched, '\n', size_t(available - m_searched))) {
            const qsizetype length = static_cast<const char *>(lf) - start;
            m_pos += length + 1;
            m_searched = 0;
            line = length > m_maxLineBytes ? QByteArrayView(start, m_maxLineBytes) : withoutCr(start, length);
            return true;
        }
        m_searched = available;
        if (available > m_maxLineBytes) {
            line = skipRestOfLongLine(m_pos);
            return true;
        }
        if (!fill()) {
            if (available == 0)
                return false;
            line = withoutCr(m_buffer.constData() + m_pos, available);
            m_pos = m_end;
            m_searched = 0;
            return true;
        }
    }
}
