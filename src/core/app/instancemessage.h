// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// What a second start sends the running program over the local socket: a 4-byte big-endian
// length and that many bytes of UTF-8, one absolute file:// URI (empty: just come to the front).
namespace InstanceMessage {

// The application id: desktop entry, icon, D-Bus name and the socket's file name.
inline constexpr char16_t kAppId[] = u"io.github.vorex.lumivox";
inline constexpr char16_t kObjectPath[] = u"/io/github/vorex/lumivox";

constexpr qsizetype kMaxPayload = 64 * 1024;

QByteArray frame(const QString &uri);

// Collects one message from a byte stream, refusing as soon as the length prefix is too large,
// so a hostile client never makes it hold more than the prefix and kMaxPayload bytes.
class Reader
{
public:
    enum class State { Incomplete, Complete, Invalid };

    State feed(const QByteArray &bytes);
    State state() const { return m_state; }
    // The URI once Complete.
    QString uri() const { return m_uri; }

private:
    QByteArray m_buffer;
    State m_state = State::Incomplete;
    QString m_uri;
};

// The file:// URI of a command-line file, made absolute against the current folder.
QString fileUri(const QString &path);
// The local path of a forwarded URI when it names exactly one local file ending in ".lvp"
// (no host, an absolute path, an existing regular file); empty otherwise.
QString projectPath(const QString &uri);

} // namespace InstanceMessage
