// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/musicdecoding.h"

#include "audio/mididecoder.h"
#include "audio/soundfiledecoder.h"
#include "core/music/musicfiles.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool startsAsMidi(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    return MidiFile::looksLikeMidi(file.read(12));
}

} // namespace

std::unique_ptr<AudioDecoder> openMusicDecoder(const QString &path, QString *reason)
{
    if (startsAsMidi(path)) {
        auto midi = std::make_unique<MidiDecoder>();
        if (!midi->open(path, reason))
            return nullptr;
        return midi;
    }
    auto sound = std::make_unique<SoundFileDecoder>();
    if (sound->open(path, reason))
        return sound;
    // A ".mid" that is neither: say what a MIDI file should be.
    if (isMidiFileName(path) && QFileInfo(path).isFile())
        *reason = MidiDecoder::reasonText(MidiFile::Error::NotMidi);
    return nullptr;
}

bool readMusicFileInfo(const QString &path, MusicFileInfo *info, QString *reason)
{
    const std::unique_ptr<AudioDecoder> decoder = openMusicDecoder(path, reason);
    if (!decoder)
        return false;
    info->format = decoder->format();
    info->durationMs = framesToMs(decoder->frames(), decoder->sampleRate());
    info->channels = decoder->channels();
    info->sampleRate = decoder->sampleRate();
    return true;
}

qint64 framesToMs(qint64 frames, int sampleRate)
{
    return sampleRate > 0 ? (frames * 1000 + sampleRate / 2) / sampleRate : 0;
}
