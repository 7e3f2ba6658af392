// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/instancemessage.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QUrl>
#include <QtEndian>

namespace InstanceMessage {

namespace {
constexpr qsizetype kPrefix = 4;
}

QByteArray frame(const QString &uri)
{
    const QByteArray payload = uri.toUtf8();
    QByteArray bytes(kPrefix, '\0');
    qToBigEndian(quint32(payload.size()), bytes.data());
    return bytes + payload;
}

Reader::State Reader::feed(const QByteArray &bytes)
{
    if (m_state != State::Incomplete)
        return m_state == State::Complete && !bytes.isEmpty() ? (m_state = State::Invalid) : m_state;
    m_buffer += bytes;
    if (m_buffer.size() < kPrefix)
        return m_state;
    const quint32 length = qFromBigEndian<quint32>(m_buffer.constData());
    if (length > quint32(kMaxPayload) || m_buffer.size() > kPrefix + qsizetype(length))
        return m_state = State::Invalid;
    if (m_buffer.size() < kPrefix + qsizetype(length))
        return m_state;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    m_uri = decoder(QByteArrayView(m_buffer).sliced(kPrefix));
    m_buffer.clear();
    return m_state = decoder.hasError() ? State::Invalid : State::Complete;
}

QString fileUri(const QString &path)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
}

QString projectPath(const QString &uri)
{
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != u"file" || !url.host().isEmpty() || url.hasQuery() || url.hasFragment())
        return {};
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    if (!info.isAbsolute() || !path.endsWith(u".lvp") || !info.isFile())
        return {};
    return info.absoluteFilePath();
}

} // namespace InstanceMessage
