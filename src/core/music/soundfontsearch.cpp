// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/music/soundfontsearch.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

QString findSoundFont(const QString &configured)
{
    return findSoundFont(configured, QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"),
                         {QStringLiteral("/usr/share/sounds/sf2"), QStringLiteral("/usr/share/soundfonts")});
}

QString findSoundFont(const QString &configured, const QString &systemDefault, const QStringList &folders)
{
    if (!configured.isEmpty() && QFileInfo(configured).isFile())
        return configured;
    if (QFileInfo(systemDefault).isFile())
        return systemDefault;
    for (const QString &folder : folders) {
        QStringList found;
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (isSoundFontFileName(path))
                found.append(path);
        }
        if (!found.isEmpty())
            return *std::min_element(found.cbegin(), found.cend(),
                                     [](const QString &a, const QString &b) { return a.compare(b) < 0; });
    }
    return {};
}

bool isSoundFontFileName(const QString &name)
{
    return name.endsWith(QLatin1StringView(".sf2"), Qt::CaseInsensitive)
        || name.endsWith(QLatin1StringView(".sf3"), Qt::CaseInsensitive);
}
