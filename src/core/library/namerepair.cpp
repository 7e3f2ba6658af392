// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/library/namerepair.h"

#include "core/util/fileutils.h"
#include "core/util/replacingfile.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>

namespace NameRepair {

QList<Decoding> decodings(QByteArrayView name, CharsetMode charset)
{
    static const char *const kLatin[] = {"windows-1250", "ISO-8859-2"};
    static const char *const kCyrillic[] = {"windows-1251", "KOI8-R"};
    QList<Decoding> found;
    for (const char *encoding : charset == CharsetMode::Cyrillic ? kCyrillic : kLatin) {
        QStringDecoder decoder(encoding);
        if (!decoder.isValid())
            continue;
        const QString decoded = decoder.decode(name);
        // An unassigned byte, a control character or a dot name is no name to give a file.
        if (decoder.hasError() || decoded.contains(QChar::ReplacementCharacter) || decoded.startsWith(u'.')
            || !isPlainFileName(decoded))
            continue;
        if (std::none_of(found.begin(), found.end(), [&decoded](const Decoding &d) { return d.name == decoded; }))
            found.append({QString::fromLatin1(encoding), decoded});
    }
    // A reading in the wrong code page shows signs where the right one shows letters ("W¶ród"
    // against "Wśród"): fewest such signs first, the usual code page first among equals.
    const auto signs = [](const Decoding &d) {
        return std::count_if(d.name.begin(), d.name.end(),
                             [](QChar c) { return c.unicode() >= 0x80 && !c.isLetter(); });
    };
    std::stable_sort(found.begin(), found.end(),
                     [&signs](const Decoding &a, const Decoding &b) { return signs(a) < signs(b); });
    return found;
}

bool rename(const QString &root, const QByteArray &rawPath, const QString &newName, QString *error)
{
    const auto fail = [error](int code) {
        if (error)
            *error = qt_error_string(code);
        return false;
    };
    if (rawPath.isEmpty() || newName.startsWith(u'.') || !isPlainFileName(newName))
        return fail(EINVAL);
    const QByteArray base = QFile::encodeName(withoutTrailingSlash(root)) + '/';
    const qsizetype slash = rawPath.lastIndexOf('/');
    const QByteArray directory = slash < 0 ? QByteArray() : rawPath.left(slash + 1);
    if (!renameToFreeName(base + rawPath, base + directory + QFile::encodeName(newName)))
        return fail(errno);
    return true;
}

} // namespace NameRepair
