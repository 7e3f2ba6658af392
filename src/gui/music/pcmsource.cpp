// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/music/pcmsource.h"

#include "audio/audiodecoder.h"
#include "core/music/musicplayer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

double channelGain(int volume)
{
    volume = MusicPlayer::clampVolume(volume);
    return volume <= MusicPlayer::kMinVolume ? 0.0 : volume / double(MusicPlayer::kMaxVolume);
}

namespace {

// libsndfile maps a 16-bit sample s to s / 32768, so this scale gives the file's samples back.
qint16 toSample(float value, double gain)
{
    const double scaled = std::lround(value * gain * 32768.0);
    return static_cast<qint16>(std::clamp(scaled, -32768.0, 32767.0));
}

} // namespace

PcmSource::PcmSource(AudioDecoder &decoder, QObject *parent)
    : QIODevice(parent), m_decoder(decoder), m_chunk(AudioDecoder::kChunkFrames * 2),
      m_pcm(AudioDecoder::kChunkFrames * 2)
{
    open(QIODevice::ReadOnly);
}

void PcmSource::setVolume(int left, int right)
{
    m_gain[0] = channelGain(left);
    m_gain[1] = channelGain(right);
}

qint64 PcmSource::readFrames(qint16 *out, qint64 maxFrames)
{
    qint64 done = 0;
    while (done < maxFrames) {
        const qint64 got = m_decoder.readStereo(m_chunk.data(), qMin(maxFrames - done, AudioDecoder::kChunkFrames));
        for (qint64 i = 0; i < got * 2; ++i)
            out[done * 2 + i] = toSample(m_chunk[size_t(i)], m_gain[i & 1]);
        done += got;
        if (got == 0)
            break;
    }
    m_handedOut += done;
    return done;
}

bool PcmSource::atEnd() const
{
    return m_decoder.atEnd();
}

qint64 PcmSource::bytesAvailable() const
{
    const qint64 left = m_decoder.atEnd() ? 0 : m_decoder.frames() - m_decoder.frame();
    return left * kBytesPerFrame + QIODevice::bytesAvailable();
}

qint64 PcmSource::readData(char *data, qint64 maxSize)
{
    // Whole frames only, through an aligned buffer: the output's buffer may not be aligned for qint16.
    qint64 written = 0;
    while (maxSize - written >= kBytesPerFrame) {
        const qint64 want = qMin((maxSize - written) / kBytesPerFrame, AudioDecoder::kChunkFrames);
        const qint64 got = readFrames(m_pcm.data(), want);
        std::memcpy(data + written, m_pcm.data(), size_t(got * kBytesPerFrame));
        written += got * kBytesPerFrame;
        if (got < want)
            break;
    }
    return written;
}
