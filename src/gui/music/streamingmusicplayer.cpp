// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/music/streamingmusicplayer.h"

#include "audio/mididecoder.h"
#include "audio/musicdecoding.h"
#include "core/app/language.h"
#include "core/music/musicclock.h"
#include "core/music/soundfontsearch.h"
#include "gui/music/qtaudiooutput.h"

#include <QDir>
#include <QFileInfo>

std::unique_ptr<MusicPlayer> createMusicPlayer(MusicBackendOptions options)
{
    return std::make_unique<StreamingMusicPlayer>(std::move(options));
}

StreamingMusicPlayer::StreamingMusicPlayer(MusicBackendOptions options) : m_options(std::move(options))
{
    if (!m_options.clock) {
        m_ownClock = std::make_unique<RealMusicClock>();
        m_options.clock = m_ownClock.get();
    }
    if (!m_options.makeOutput)
        m_options.makeOutput = &QtAudioOutput::create;
}

StreamingMusicPlayer::~StreamingMusicPlayer()
{
    close();
}

bool StreamingMusicPlayer::open(const QString &path, QString *error)
{
    close();
    QString reason;
    m_decoder = openMusicDecoder(path, &reason);
    if (!m_decoder) {
        *error = Lang::text(Txt::MusicFileRefused) + u' ' + QFileInfo(path).fileName() + u"\n" + reason;
        return false;
    }
    prepareMidi();
    m_state = State::Stopped;
    m_startFrame = m_heldFrame = 0;
    return true;
}

void StreamingMusicPlayer::close()
{
    releaseOutput();
    m_decoder.reset();
    m_state = State::Closed;
    m_startFrame = m_heldFrame = 0;
}

void StreamingMusicPlayer::prepareMidi()
{
    auto *midi = dynamic_cast<MidiDecoder *>(m_decoder.get());
    if (!midi)
        return;
    // The null sink alone (tests) renders without a font, the same on every machine.
    if (m_options.silent) {
        midi->startSynth(QString());
        return;
    }
    // Without a font the file still times on the clock: it plays as silence of its length.
    const QString font = findSoundFont(m_options.soundFont);
    switch (midi->startSynth(font)) {
    case MidiDecoder::FontResult::Loaded:
        break;
    case MidiDecoder::FontResult::NoFont:
        notify(Lang::text(Txt::MidiNoSoundFont));
        break;
    case MidiDecoder::FontResult::FontFailed:
        notify(Lang::text(Txt::MidiSoundFontBroken).arg(QDir::toNativeSeparators(font)));
        break;
    }
}

qint64 StreamingMusicPlayer::toMs(qint64 frame) const
{
    return framesToMs(frame, sampleRate());
}

qint64 StreamingMusicPlayer::lengthMs() const
{
    return toMs(frames());
}

qint64 StreamingMusicPlayer::positionMs()
{
    return toMs(positionFrame());
}

qint64 StreamingMusicPlayer::positionFrame()
{
    if (m_state != State::Playing || !m_output)
        return m_heldFrame;
    m_output->update();
    if (m_output->failed())
        soundLost();
    const qint64 frame = m_startFrame + m_source->framesHandedOut() - m_output->bufferedFrames();
    return qBound<qint64>(0, frame, frames());
}

void StreamingMusicPlayer::soundLost()
{
    // The position the failed output had reached, then on without sound from there.
    const qint64 frame = qBound<qint64>(0, m_startFrame + m_source->framesHandedOut() - m_output->bufferedFrames(),
                                        frames());
    startOutput(frame, false);
    reportSoundLost();
}

void StreamingMusicPlayer::reportSoundLost()
{
    if (!m_soundLostReported) {
        m_soundLostReported = true;
        notify(Lang::text(Txt::NoSoundOutput));
    }
}

void StreamingMusicPlayer::playFrom(qint64 ms)
{
    if (m_state == State::Closed)
        return;
    const qint64 frame = qBound<qint64>(0, ms, lengthMs()) * sampleRate() / 1000;
    startOutput(frame, !m_options.silent);
    m_state = State::Playing;
}

void StreamingMusicPlayer::pause()
{
    if (m_state != State::Playing)
        return;
    m_heldFrame = positionFrame();
    m_output->suspend();
    m_state = State::Paused;
}

void StreamingMusicPlayer::stop()
{
    if (m_state != State::Playing && m_state != State::Paused)
        return;
    m_heldFrame = positionFrame();
    releaseOutput();
    m_state = State::Stopped;
}

void StreamingMusicPlayer::setVolume(int left, int right)
{
    m_volume[0] = clampVolume(left);
    m_volume[1] = clampVolume(right);
    if (m_source)
        m_source->setVolume(m_volume[0], m_volume[1]);
}

void StreamingMusicPlayer::releaseOutput()
{
    m_output.reset();
    m_source.reset();
}

void StreamingMusicPlayer::startOutput(qint64 frame, bool tryDevice)
{
    releaseOutput();
    m_decoder->seek(frame);
    m_startFrame = qBound<qint64>(0, frame, frames());
    m_heldFrame = m_startFrame;
    m_source = std::make_unique<PcmSource>(*m_decoder);
    m_source->setVolume(m_volume[0], m_volume[1]);
    if (tryDevice) {
        std::unique_ptr<AudioOutput> device = m_options.makeOutput(sampleRate());
        if (device && device->start(m_source.get())) {
            m_output = std::move(device);
            return;
        }
        device.reset();
        reportSoundLost();
    }
    m_output = std::make_unique<NullAudioOutput>(*m_options.clock, sampleRate(), m_options.tap);
    m_output->start(m_source.get());
}
