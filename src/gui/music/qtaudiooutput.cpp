// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/music/qtaudiooutput.h"

#include "gui/music/pcmsource.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

std::unique_ptr<AudioOutput> QtAudioOutput::create(int sampleRate)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return nullptr;
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return nullptr;
    auto *sink = new QAudioSink(device, format);
    sink->setBufferSize(qsizetype(sampleRate / 10) * PcmSource::kBytesPerFrame);
    return std::unique_ptr<AudioOutput>(new QtAudioOutput(sink));
}

QtAudioOutput::QtAudioOutput(QAudioSink *sink) : m_sink(sink) {}

QtAudioOutput::~QtAudioOutput()
{
    m_sink->stop();
}

bool QtAudioOutput::start(PcmSource *source)
{
    m_buffered = 0;
    m_sink->start(source);
    return m_sink->error() == QAudio::NoError && m_sink->state() != QAudio::StoppedState;
}

void QtAudioOutput::suspend()
{
    update();
    m_sink->suspend();
}

void QtAudioOutput::update()
{
    const QAudio::State state = m_sink->state();
    if (state == QAudio::ActiveState || state == QAudio::IdleState)
        m_buffered = qMax<qint64>(0, (m_sink->bufferSize() - m_sink->bytesFree()) / PcmSource::kBytesPerFrame);
}

bool QtAudioOutput::failed() const
{
    // An underrun is the end of the data (or a short gap), not a lost device.
    const QAudio::Error error = m_sink->error();
    return error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError;
}
