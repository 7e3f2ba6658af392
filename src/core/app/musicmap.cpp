// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/musicmap.h"

#include "core/util/atomicsave.h"
#include "core/util/deviceio.h"

#include <QFile>

namespace {

// A line shorter than this, its line break counted as one character, holds no pair.
constexpr int kMinLineLength = 6;

} // namespace

QString MusicMap::value(const QString &key) const
{
    for (const Pair &pair : m_pairs) {
        if (pair.first == key)
            return pair.second;
    }
    return {};
}

void MusicMap::setValue(const QString &key, const QString &value)
{
    for (qsizetype i = 0; i < m_pairs.size(); ++i) {
        if (m_pairs[i].first != key)
            continue;
        if (value.isEmpty())
            m_pairs.removeAt(i);
        else
            m_pairs[i].second = value;
        return;
    }
    if (!value.isEmpty())
        m_pairs.append({key, value});
}

QString MusicMap::encodeHex(const QString &text)
{
    QString hex;
    hex.reserve(text.size() * 4);
    for (QChar c : text)
        hex += QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return hex;
}

bool MusicMap::decodeHex(QStringView hex, QString *out)
{
    out->clear();
    for (qsizetype i = 0; i + 4 <= hex.size(); i += 4) {
        bool ok = false;
        const uint unit = hex.mid(i, 4).toUInt(&ok, 16);
        if (!ok)
            return false;
        out->append(QChar(char16_t(unit)));
    }
    return true;
}

bool MusicMap::read(QIODevice &device, QString *error)
{
    m_pairs.clear();
    if (!checkReadable(device, error))
        return false;
    const QByteArray content = device.readAll();
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        const bool hasBreak = end >= 0;
        if (!hasBreak)
            end = content.size();
        QByteArray line = content.mid(start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() + (hasBreak ? 1 : 0) < kMinLineLength)
            continue;
        const QString text = QString::fromLatin1(line);
        const qsizetype semicolon = text.indexOf(u';');
        if (semicolon < 0)
            continue;
        QString key;
        QString value;
        // A side that decodes to nothing makes no pair: an empty value means "no music" (see
        // setValue), and such a pair would not survive a write and a read.
        if (!decodeHex(QStringView(text).left(semicolon), &key)
            || !decodeHex(QStringView(text).mid(semicolon + 1), &value) || key.isEmpty() || value.isEmpty())
            continue;
        m_pairs.append({key, value});
    }
    return true;
}

bool MusicMap::load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_pairs.clear();
        if (error)
            *error = file.errorString();
        return false;
    }
    return read(file, error);
}

QByteArray MusicMap::toBytes() const
{
    QByteArray bytes;
    for (const Pair &pair : m_pairs)
        bytes += (encodeHex(pair.first) + u';' + encodeHex(pair.second)).toLatin1() + "\r\n";
    return bytes;
}

bool MusicMap::write(QIODevice &device, QString *error) const
{
    return writeAll(device, toBytes(), error);
}

bool MusicMap::save(const QString &path, QString *error) const
{
    return saveFileAtomically(path, toBytes(), error);
}
