// SPDX-License-Identifier: GPL-3.0-or-later
#include "tonefile/tonefile.h"

#include <QFile>

#include <sndfile.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace ToneFile {

namespace {

int sfFormat(Format format)
{
    switch (format) {
    case Format::Wav:
        return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    case Format::Flac:
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    case Format::Ogg:
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    case Format::Mp3:
        return SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    }
    return 0;
}

} // namespace

float sample(const ToneShape &shape, int channel, qint64 frame)
{
    const double hz = 220.0 * (channel + 1);
    // The phase from frame mod rate keeps the argument small over hours of frames.
    const double t = double(frame % shape.sampleRate) / shape.sampleRate;
    // 16384 / 32768: an exact 16-bit step, so that gains can be checked to the sample.
    return float(std::round(0.5 * std::sin(2.0 * std::numbers::pi * hz * t) * 32768.0) / 32768.0);
}

bool write(const QString &path, const ToneShape &shape, QString *error)
{
    SF_INFO info{};
    info.samplerate = shape.sampleRate;
    info.channels = shape.channels;
    info.format = sfFormat(shape.format);
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file) {
        *error = QString::fromLocal8Bit(sf_strerror(nullptr));
        return false;
    }
    // 16-bit formats get 16-bit samples, which libsndfile reads back as exactly s / 32768. The
    // lossy encoders get floats: libsndfile 1.2.0's MP3 encoder garbles 16-bit input.
    const bool pcm = shape.format == Format::Wav || shape.format == Format::Flac;
    constexpr qint64 kChunk = 8192;
    std::vector<float> chunk(size_t(kChunk * shape.channels));
    std::vector<short> pcmChunk(chunk.size());
    bool ok = true;
    for (qint64 done = 0; done < shape.frames && ok;) {
        const qint64 n = qMin(kChunk, shape.frames - done);
        for (qint64 i = 0; i < n; ++i)
            for (int c = 0; c < shape.channels; ++c)
                chunk[size_t(i * shape.channels + c)] = sample(shape, c, done + i);
        if (pcm) {
            for (size_t i = 0; i < size_t(n * shape.channels); ++i)
                pcmChunk[i] = short(std::lround(chunk[i] * 32768.0f));
            ok = sf_writef_short(file, pcmChunk.data(), n) == n;
        } else {
            ok = sf_writef_float(file, chunk.data(), n) == n;
        }
        done += n;
    }
    if (!ok)
        *error = QString::fromLocal8Bit(sf_strerror(file));
    if (sf_close(file) != 0 && ok) {
        *error = QStringLiteral("close failed");
        ok = false;
    }
    return ok;
}

} // namespace ToneFile
