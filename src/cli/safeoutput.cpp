// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/safeoutput.h"

#include <QByteArray>

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

} // namespace

SafeOutput::SafeOutput(FILE *file) : m_file(file)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

SafeOutput::~SafeOutput()
{
    if (m_pendingC2)
        std::fputc(0xC2, m_file);
    std::fflush(m_file);
}

qint64 SafeOutput::writeData(const char *data, qint64 size)
{
    QByteArray safe;
    safe.reserve(size + 4);
    for (qint64 i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        if (m_pendingC2) {
            m_pendingC2 = false;
            if (byte >= 0x80 && byte < 0xA0) {
                safe += kReplacement;
                continue;
            }
            safe += '\xC2';
        }
        if (byte == 0xC2)
            m_pendingC2 = true;
        else if ((byte < 0x20 && byte != '\t' && byte != '\n') || byte == 0x7F)
            safe += kReplacement;
        else
            safe += char(byte);
    }
    if (!safe.isEmpty() && std::fwrite(safe.constData(), 1, size_t(safe.size()), m_file) != size_t(safe.size()))
        return -1;
    std::fflush(m_file);
    return size;
}
