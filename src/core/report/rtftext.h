// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringView>

// Text inside an RTF document: code units up to 127 are copied, "\", "{" and "}" escaped (a raw
// brace in a title would end a group early and cut the document), every other code unit is
// written "\u<unsigned decimal>?" with "?" for readers that cannot show it. A control character
// (from a name on a card: ESC, BEL, a line feed) would reach the document raw; it is written as
// U+FFFD instead.
QByteArray rtfText(QStringView text);

// The bytes of a report, gathered and handed to the device in large pieces (the save path
// writes unbuffered). After the first failed write the rest is dropped and error() says why.
class RtfOutput
{
public:
    explicit RtfOutput(QIODevice &device) : m_device(device) {}

    RtfOutput &raw(const char *controlWords);
    RtfOutput &raw(const QByteArray &controlWords);
    RtfOutput &text(QStringView text);
    RtfOutput &number(int value);
    // Writes what is gathered; false once any write has failed.
    bool flush();
    // Writes once enough has gathered.
    void flushWhenFull();
    QString error() const { return m_error; }

private:
    QIODevice &m_device;
    QByteArray m_buffer;
    QString m_error;
    bool m_failed = false;
};
