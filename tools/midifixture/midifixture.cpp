// SPDX-License-Identifier: GPL-3.0-or-later
#include "midifixture.h"

#include <utility>

namespace {

QByteArray le(quint32 value, int bytes)
{
    QByteArray out(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        out[i] = i < 4 ? char((value >> (8 * i)) & 0xFF) : 0; // wider fields are zero above 32 bits
    return out;
}

QByteArray riffChunk(const char *id, const QByteArray &data)
{
    QByteArray out = QByteArray(id, 4) + le(quint32(data.size()), 4) + data;
    if (data.size() % 2)
        out.append('\0');
    return out;
}

QByteArray list(const char *type, const QByteArray &chunks)
{
    return riffChunk("LIST", QByteArray(type, 4) + chunks);
}

QByteArray name20(const char *name)
{
    QByteArray out(name);
    out.resize(20, '\0');
    return out;
}

// Generator records (operator, amount) and bag records (first generator, first modulator).
QByteArray pairs(std::initializer_list<std::pair<int, int>> values)
{
    QByteArray out;
    for (const auto &[a, b] : values)
        out += le(quint32(a), 2) + le(quint32(b), 2);
    return out;
}

} // namespace

bool writeBytes(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush();
}

QByteArray squareWaveSoundFont()
{
    constexpr int kFrames = 2000;
    QByteArray samples;
    for (int i = 0; i < kFrames + 46; ++i) // the format wants 46 zero samples after each sample
        samples += le(i < kFrames ? quint16(i % 100 < 50 ? 16000 : -16000) : 0, 2);
    const QByteArray info = riffChunk("ifil", pairs({{2, 1}})) + riffChunk("isng", QByteArray("EMU8000", 8))
        + riffChunk("INAM", QByteArray("Square\0\0", 8));
    const QByteArray zero(10, '\0');
    const QByteArray presets = name20("Square") + le(0, 2) + le(0, 2) + le(0, 2) + le(0, 12) + name20("EOP") + le(0, 4)
        + le(1, 2) + le(0, 12);
    const QByteArray instruments = name20("Square") + le(0, 2) + name20("EOI") + le(1, 2);
    // start, end, loop start, loop end, rate, original key 60, correction, link, mono
    const QByteArray sample = name20("Square") + le(0, 4) + le(kFrames, 4) + le(100, 4) + le(1900, 4) + le(44100, 4)
        + le(60, 1) + le(0, 1) + le(0, 2) + le(1, 2);
    const QByteArray pdta = riffChunk("phdr", presets) + riffChunk("pbag", pairs({{0, 0}, {1, 0}}))
        + riffChunk("pmod", zero) + riffChunk("pgen", pairs({{41, 0}, {0, 0}})) + riffChunk("inst", instruments)
        + riffChunk("ibag", pairs({{0, 0}, {2, 0}})) + riffChunk("imod", zero)
        + riffChunk("igen", pairs({{54, 1}, {53, 0}, {0, 0}}))
        + riffChunk("shdr", sample + name20("EOS") + QByteArray(26, '\0'));
    return riffChunk("RIFF",
                     QByteArray("sfbk") + list("INFO", info) + list("sdta", riffChunk("smpl", samples))
                         + list("pdta", pdta));
}
