// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/music/musicfiles.h"

#include "core/util/fileutils.h"

bool isMusicFileName(const QString &name)
{
    static const QString kSuffixes[] = {QStringLiteral(".mp3"), QStringLiteral(".wav"), QStringLiteral(".flac"),
                                        QStringLiteral(".ogg")};
    for (const QString &suffix : kSuffixes) {
        if (name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QStringList musicFilesIn(const QString &dir)
{
    QStringList names = sortedEntries(dir, QDir::Files);
    names.removeIf([](const QString &name) { return !isMusicFileName(name); });
    return names;
}
