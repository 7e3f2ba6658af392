// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/music/musicfiles.h"

#include "core/util/fileutils.h"

namespace {

bool endsWithOneOf(const QString &name, std::initializer_list<QLatin1StringView> suffixes)
{
    for (const QLatin1StringView suffix : suffixes) {
        if (name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

bool isMidiFileName(const QString &name)
{
    return endsWithOneOf(name, {QLatin1StringView(".mid"), QLatin1StringView(".midi"), QLatin1StringView(".kar")});
}

bool isMusicFileName(const QString &name)
{
    return endsWithOneOf(name,
                         {QLatin1StringView(".mp3"), QLatin1StringView(".wav"), QLatin1StringView(".flac"),
                          QLatin1StringView(".ogg")})
        || isMidiFileName(name);
}

QStringList musicFilesIn(const QString &dir)
{
    QStringList names = sortedEntries(dir, QDir::Files);
    names.removeIf([](const QString &name) { return !isMusicFileName(name); });
    return names;
}
