// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/soundfiledecoder.h"

#include "core/app/language.h"

#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

#include <algorithm>

namespace {

// libsndfile explains in English; the user gets what it means in the program's language.
QString openFailure(int code)
{
    switch (code) {
    case SF_ERR_UNRECOGNISED_FORMAT:
        return Lang::text(Txt::MusicFormatUnknown);
    case SF_ERR_SYSTEM:
        return Lang::text(Txt::MusicFileUnreadable);
    case SF_ERR_UNSUPPORTED_ENCODING:
        return Lang::text(Txt::MusicEncodingUnsupported);
    default:
        return Lang::text(Txt::MusicFileDamaged);
    }
}

QString formatName(int format)
{
    switch (format & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV:
    case SF_FORMAT_WAVEX:
    case SF_FORMAT_RF64:
        return QStringLiteral("wav");
    case SF_FORMAT_FLAC:
        return QStringLiteral("flac");
    case SF_FORMAT_OGG:
        return QStringLiteral("ogg");
    case SF_FORMAT_MPEG:
        return QStringLiteral("mp3");
    case SF_FORMAT_AIFF:
        return QStringLiteral("aiff");
    default:
        return QStringLiteral("other");
    }
}

} // namespace

SoundFileDecoder::~SoundFileDecoder()
{
    close();
}

bool SoundFileDecoder::open(const QString &path, QString *reason)
{
    close();
    // A FIFO or a device would block libsndfile's open or read forever.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        *reason = Lang::text(Txt::MusicFileUnreadable);
        return false;
    }
    SF_INFO sfInfo{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &sfInfo);
    if (!file) {
        *reason = openFailure(sf_error(nullptr));
        return false;
    }
    if (sfInfo.samplerate <= 0 || sfInfo.channels <= 0 || sfInfo.frames < 0) {
        sf_close(file);
        *reason = Lang::text(Txt::MusicFileDamaged);
        return false;
    }
    m_file = file;
    m_format = formatName(sfInfo.format);
    m_rate = sfInfo.samplerate;
    m_channels = sfInfo.channels;
    m_frames = sfInfo.frames;
    m_frame = 0;
    m_atEnd = m_frames == 0;
    m_chunk.assign(static_cast<size_t>(kChunkFrames * m_channels), 0.0f);
    return true;
}

void SoundFileDecoder::close()
{
    if (m_file)
        sf_close(m_file);
    m_file = nullptr;
    m_format.clear();
    m_rate = m_channels = 0;
    m_frames = m_frame = 0;
    m_atEnd = true;
    m_chunk.clear();
}

bool SoundFileDecoder::seek(qint64 frame)
{
    if (!m_file)
        return false;
    frame = qBound<qint64>(0, frame, m_frames);
    if (sf_seek(m_file, frame, SEEK_SET) < 0) {
        m_frame = frame;
        m_atEnd = true;
        return false;
    }
    m_frame = frame;
    m_atEnd = frame >= m_frames;
    return true;
}

qint64 SoundFileDecoder::readStereo(float *out, qint64 maxFrames)
{
    qint64 done = 0;
    while (done < maxFrames && !m_atEnd) {
        const qint64 want = std::min({kChunkFrames, maxFrames - done, m_frames - m_frame});
        if (want <= 0) {
            m_atEnd = true;
            break;
        }
        const qint64 got = sf_readf_float(m_file, m_chunk.data(), want);
        if (got <= 0) {
            // The data ends before the header said (a cut file): this is the end.
            m_atEnd = true;
            break;
        }
        const float *in = m_chunk.data();
        float *dst = out + done * 2;
        for (qint64 i = 0; i < got; ++i, in += m_channels, dst += 2) {
            dst[0] = in[0];
            dst[1] = m_channels > 1 ? in[1] : in[0];
        }
        done += got;
        m_frame += got;
        if (got < want || m_frame >= m_frames)
            m_atEnd = true;
    }
    return done;
}
