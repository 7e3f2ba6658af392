// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Music fixtures written by libsndfile itself: a sine tone per channel, channel c at
// 220 x (c + 1) Hz with half the full amplitude.
namespace ToneFile {

enum class Format { Wav, Flac, Ogg, Mp3 };

struct ToneShape
{
    int sampleRate = 44100;
    int channels = 2;
    qint64 frames = 441000;
    Format format = Format::Wav;
};

// The sample of channel at frame, -1 .. 1, as written (before a lossy encoder).
float sample(const ToneShape &shape, int channel, qint64 frame);

bool write(const QString &path, const ToneShape &shape, QString *error);

} // namespace ToneFile
