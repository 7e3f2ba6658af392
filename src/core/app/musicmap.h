// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QList>
#include <QPair>
#include <QString>

// Song title -> music file name, kept in "MusicCross.txt": one pair a line, each side
// written as its UTF-16 code units in "%.4X" form, joined by ";", CR LF line ends.
class MusicMap
{
public:
    using Pair = QPair<QString, QString>;

    // The value for key (compared exactly), or an empty string.
    QString value(const QString &key) const;
    // An empty value removes the pair; a new key is appended; an existing one is updated.
    void setValue(const QString &key, const QString &value);

    const QList<Pair> &pairs() const { return m_pairs; }
    bool isEmpty() const { return m_pairs.isEmpty(); }
    void clear() { m_pairs.clear(); }

    // Replaces the pairs with those read; lines that hold no pair, or one with an empty side,
    // are skipped. False when the device is not readable.
    bool read(QIODevice &device, QString *error = nullptr);
    // read() from the file; a missing file leaves the map empty (false).
    bool load(const QString &path, QString *error = nullptr);
    QByteArray toBytes() const;
    bool write(QIODevice &device, QString *error = nullptr) const;
    // Atomic: a failed save leaves the previous file as it was.
    bool save(const QString &path, QString *error = nullptr) const;

    static QString encodeHex(const QString &text);
    // Groups of 4 hex digits; a trailing incomplete group is dropped. False on a bad digit.
    static bool decodeHex(QStringView hex, QString *out);

private:
    QList<Pair> m_pairs;
};
