// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>

#include <vector>

class AudioDecoder;

// The gain of one channel for a volume of 1 .. 1000: volume / 1000, and 1 is silence.
double channelGain(int volume);

// What a sound output reads: 16-bit stereo frames decoded on demand from the decoder, each
// channel scaled by its gain. Counts the frames handed out since it was made.
class PcmSource final : public QIODevice
{
    Q_OBJECT

public:
    static constexpr int kBytesPerFrame = 4;

    explicit PcmSource(AudioDecoder &decoder, QObject *parent = nullptr);

    void setVolume(int left, int right);
    qint64 framesHandedOut() const { return m_handedOut; }
    // Reads up to maxFrames frames into out (interleaved left, right); fewer only at the end.
    qint64 readFrames(qint16 *out, qint64 maxFrames);

    bool isSequential() const override { return true; }
    bool atEnd() const override;
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    AudioDecoder &m_decoder;
    double m_gain[2] = {1.0, 1.0};
    qint64 m_handedOut = 0;
    std::vector<float> m_chunk;
    std::vector<qint16> m_pcm;
};
