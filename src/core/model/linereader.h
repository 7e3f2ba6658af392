// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

// Splits a device into whole lines ended by LF or CR LF, reading in large blocks. A line longer
// than the limit keeps its first maxLineBytes bytes and the rest is skipped, so that memory stays
// bounded whatever the input (a file without any line end, binary garbage).
class LineReader
{
public:
    static constexpr qsizetype kDefaultMaxLineBytes = 1 << 20;

    explicit LineReader(QIODevice &device, qsizetype maxLineBytes = kDefaultMaxLineBytes);
    // Lines of bytes already in memory, which must outlive the reader: no copy is made.
    explicit LineReader(QByteArrayView bytes, qsizetype maxLineBytes = kDefaultMaxLineBytes);

    // The next line without its line end; false at the end of the input. The view stays valid
    // until the next call.
    bool next(QByteArrayView &line);

private:
    bool fill();
    QByteArrayView skipRestOfLongLine(qsizetype start);

    QIODevice *m_device = nullptr; // none when reading from memory
    qsizetype m_maxLineBytes;
    QByteArray m_buffer;
    QByteArray m_longLine;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    qsizetype m_searched = 0; // bytes after m_pos already known to hold no LF
    bool m_atEnd = false;
};
