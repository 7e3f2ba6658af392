// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/languagetable.h"

#include "core/util/deviceio.h"
#include "core/util/posixfile.h"

#include <QBuffer>

namespace {

QString truncated(QString text)
{
    if (text.size() <= LanguageTable::kMaxTextLength)
        return text;
    text.truncate(LanguageTable::kMaxTextLength);
    if (text.back().isHighSurrogate())
        text.chop(1);
    return text;
}

} // namespace

QString LanguageTable::unescape(QStringView raw)
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c != u'\\' || i + 1 == raw.size()) {
            out += c;
            continue;
        }
        const QChar next = raw[++i];
        switch (next.unicode()) {
        case u'n':
            out += u'\n';
            break;
        case u'r':
            out += u'\r';
            break;
        case u't':
            out += u'\t';
            break;
        case u'\\':
            out += u'\\';
            break;
        default:
            out += c;
            out += next;
            break;
        }
    }
    return out;
}

bool LanguageTable::read(QIODevice &device, QString *error)
{
    clear();
    if (!checkReadable(device, error))
        return false;
    const QString content = QString::fromUtf8(device.readAll());
    const QList<QStringView> lines = QStringView(content).split(u'\n');
    bool first = true;
    for (QStringView line : lines) {
        if (first && line.startsWith(QChar(0xFEFF)))
            line = line.mid(1);
        first = false;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QStringView key = line.left(eq).trimmed();
        const QStringView value = line.mid(eq + 1);
        if (key == u"version") {
            bool ok = false;
            const quint32 v = value.trimmed().toString().toUInt(&ok, 0);
            m_version = ok ? v : 0;
            continue;
        }
        bool ok = false;
        const int id = key.toInt(&ok, 10);
        if (!ok || id < 0)
            continue;
        m_texts.insert(id, truncated(unescape(value)));
    }
    return true;
}

bool LanguageTable::load(const QString &path, QString *error)
{
    clear();
    // Only a regular file of sensible size: a link to a device or a huge file is no table.
    QByteArray bytes;
    if (!readRegularFile(path, kMaxFileSize, &bytes)) {
        if (error)
            *error = QStringLiteral("Not a readable language file of at most 4 MiB");
        return false;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer, error);
}

void LanguageTable::clear()
{
    m_texts.clear();
    m_version = 0;
}
